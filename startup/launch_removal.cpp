#include "startup/launch_removal.h"

#include "settings/settings_schema.h"
#include "startup/startup_shortcut.h"

namespace calmora {

void RemoveStartupShortcutIfAsked(const Registry& registry, Shell& shell, FileSystem& files) {
  if (AsksLaunchToRemoveStartup(ReadRemoveFromStartupOnLogin(registry))) {
    RemoveStartupShortcut(shell, files);
  }
}

}  // namespace calmora
