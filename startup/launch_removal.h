// The one-time start's removal, as a launch does it when the setting asks for it.
#pragma once

#include "platform/file_system.h"
#include "platform/shell.h"

namespace calmora {

// Deletes the startup shortcut when it is there. A shortcut that cannot be deleted (read-only, or
// held open by another program) is passed over, like a failed font copy, and the next start tries
// again: the message matters more than the clean-up. Any other failure is still the program's
// run-time error.
void RemoveStartupShortcutAtLaunch(Shell& shell, FileSystem& files);

}  // namespace calmora
