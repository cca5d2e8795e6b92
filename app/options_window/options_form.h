// What the Options window does: when it loads it shows whether the program starts at the next
// login and whether only once; Close makes the startup shortcut and the setting match the boxes.
#pragma once

#include <string>

#include "app/options_window/check_box_value.h"
#include "app/services.h"

namespace calmora {

// Tests for the startup shortcut, makes sure the settings keys exist, and gives the boxes'
// values. The setting is read only while a shortcut exists.
OptionsCheckBoxes Options_Form_Load(const Services& services);

struct CloseOutcome {
  bool shortcutPresent;
  // False when the registry refused the setting; the technician is told, since the start at the
  // next login is then not what the boxes say.
  bool settingStored;
  // What the next launch reads in the registry: the setting just stored, or when that failed, the
  // one that is still there.
  bool removeFromStartupOnLogin;
};

// Creates or removes the shortcut, then stores "Yes" or "No".
CloseOutcome Close_Button_Click(const Services& services, const OptionsCheckBoxes& boxes);

// The notice shown when the setting could not be stored: what the next login will do. It names no
// cause; the program cannot tell why the registry refused.
std::wstring SettingNotStoredNotice(const CloseOutcome& outcome);

}  // namespace calmora
