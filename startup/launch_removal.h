// The one-time start: when the technician asked for it, every launch takes the startup shortcut
// away again before the message is shown, whether the program was started by the shortcut or by
// hand. The setting itself is left as it is.
#pragma once

#include "platform/file_system.h"
#include "platform/shell.h"
#include "settings/registry.h"

namespace calmora {

void RemoveStartupShortcutIfAsked(const Registry& registry, Shell& shell, FileSystem& files);

}  // namespace calmora
