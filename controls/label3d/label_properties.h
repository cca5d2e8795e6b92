// The 3-D label control takes its design as a bag of properties handed over by name, each with
// a typed value, in the order in which the design stores them, and is told by its design what it
// is to the user: text to read, or text to click.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "controls/design_types.h"

namespace calmora {

struct NoPicture {
  constexpr bool operator==(const NoPicture&) const = default;
};

using LabelPropertyValue = std::variant<std::uint32_t,      // 32-bit unsigned
                                        std::int32_t,       // 32-bit signed
                                        std::int16_t,       // 16-bit signed
                                        Color,              // 32-bit colour
                                        std::wstring_view,  // text
                                        FontSpec,           // standard font object
                                        NoPicture>;         // picture object: none

struct LabelProperty {
  std::wstring_view name;
  LabelPropertyValue value;
};

using LabelPropertyBag = std::span<const LabelProperty>;

// What a label is to accessibility clients. Every label tells its parent about clicks; only a
// link says so to a screen reader, and offers the click as its default action.
enum class LabelRole {
  kText,
  kLink,
};

}  // namespace calmora
