#include "startup/launch_removal.h"

#include "platform/runtime_error.h"
#include "startup/startup_shortcut.h"

namespace calmora {

void RemoveStartupShortcutAtLaunch(Shell& shell, FileSystem& files) {
  const std::wstring shortcut = StartupShortcutPath(shell);
  if (!files.FileExists(shortcut)) return;
  try {
    files.Delete(shortcut);
  } catch (const RuntimeError&) {
  }
}

}  // namespace calmora
