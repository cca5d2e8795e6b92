// Reads a shortcut file back through the shell's own link object, the way Explorer would.
#pragma once

#include <string>

#include "platform/shell.h"

namespace calmora::testing {

// What the file at `linkPath` holds. COM must be initialised on the calling thread; a file the
// shell cannot load is a std::runtime_error.
ShortcutProperties ReadShortcut(const std::wstring& linkPath);

}  // namespace calmora::testing
