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

struct OptionsCheckBoxes {
  CheckBoxValue inUsersStartup = kUnchecked;
  CheckBoxValue removeFromStartupOnLogin = kUnchecked;
  constexpr bool operator==(const OptionsCheckBoxes&) const = default;
};

}  // namespace calmora
