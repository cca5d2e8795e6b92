// A check box's value as the Options window sets and reads it: 0 unchecked, 1 checked. Only 1
// counts as checked; the grayed value 2 does not.
#pragma once

#include <cstdint>

namespace calmora {

using CheckBoxValue = std::int16_t;
inline constexpr CheckBoxValue kUnchecked = 0;
inline constexpr CheckBoxValue kChecked = 1;

constexpr bool IsChecked(CheckBoxValue value) {
  return value == kChecked;
}
constexpr CheckBoxValue CheckBoxValueOf(bool checked) {
  return checked ? kChecked : kUnchecked;
}

// The values of the Options window's two boxes, each named for its control as the design names it:
// InUsersStartup_CBox, and RemoveAfterReboot_CBox, which edits the setting "Remove From Startup on
// Login" (removeFromStartupOnLogin).
struct OptionsCheckBoxes {
  CheckBoxValue inUsersStartup = kUnchecked;
  CheckBoxValue removeAfterReboot = kUnchecked;
  constexpr bool operator==(const OptionsCheckBoxes&) const = default;
};

}  // namespace calmora
