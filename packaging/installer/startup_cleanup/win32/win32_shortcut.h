// One Startup shortcut over the native API, held open by a single handle: everything the clean-up
// learns about it, and its deletion, go through that handle and never through its path again.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "packaging/installer/startup_cleanup/startup_cleanup.h"

namespace calmora::startup_cleanup::win32 {

using Log = std::function<void(const std::wstring&)>;

// No shortcut when no file is there; a line in the log when one is there but cannot be opened.
OpenedShortcut OpenShortcutFile(const std::wstring& path, const Log& log);

}  // namespace calmora::startup_cleanup::win32
