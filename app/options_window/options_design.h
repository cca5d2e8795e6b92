// How the Options window looks: a small fixed dialog with two check boxes and a Close button,
// in the system's dialog colour and default user-interface font.
#pragma once

#include "app/window_design.h"

namespace calmora::options_design {

inline constexpr WindowDesign kWindow{L"Options", 4605, 1890};
inline constexpr FontSpec kFont{L"MS Sans Serif", 82500, 400, false, 0};

// The controls, named as the design names them: Close_Button, RemoveAfterReboot_CBox and
// InUsersStartup_CBox.
inline constexpr ButtonDesign kCloseButton{L"Close", {3720, 1440, 855, 375}, 2};
inline constexpr CheckBoxDesign kRemoveAfterRebootCheckBox{
    L"Remove from Startup on next Login.", {360, 720, 3855, 495}, 1};
inline constexpr CheckBoxDesign kInUsersStartupCheckBox{
    L"In Users Startup", {360, 240, 3855, 375}, 0};

}  // namespace calmora::options_design
