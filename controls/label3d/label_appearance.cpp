// Reads a 3-D label's property bag into its appearance, refusing what the label does not know.
#include "controls/label3d/label_appearance.h"

#include <array>
#include <string_view>
#include <utility>

#include "platform/runtime_error.h"

namespace calmora {
namespace {

[[noreturn]] void Reject(std::wstring_view name, std::wstring_view why) {
  throw RuntimeError(kInvalidLabelProperty, L"The parameter is incorrect.",
                     L"Label property \"" + std::wstring(name) + L"\": " + std::wstring(why));
}

template <typename T>
const T& ValueAs(const LabelProperty& property) {
  const T* value = std::get_if<T>(&property.value);
  if (!value) Reject(property.name, L"value of the wrong type");
  return *value;
}

std::int32_t InRange(const LabelProperty& property, std::int32_t low, std::int32_t high) {
  const std::int32_t value = ValueAs<std::int32_t>(property);
  if (value < low || value > high) Reject(property.name, L"value out of range");
  return value;
}

LabelFont FontFrom(const LabelProperty& property) {
  const FontSpec& given = ValueAs<FontSpec>(property);
  if (given.face.empty() || given.sizeTenThousandthsOfPoint <= 0 || given.weight < 0 ||
      given.weight > 1000) {
    Reject(property.name, L"not a usable font");
  }
  return {std::wstring(given.face), given.sizeTenThousandthsOfPoint, given.weight, given.italic,
          given.charset};
}

using Setter = void (*)(LabelAppearance&, const LabelProperty&);

struct Known {
  std::wstring_view name;
  Setter set;
};

// Depths and pen widths beyond this are no longer a 3-D effect but a smear over the label.
constexpr std::int32_t kMostPixels = 100;

constexpr std::array<Known, 16> kKnown{{
    {L"_Version",
     [](LabelAppearance& a, const LabelProperty& p) { a.version = ValueAs<std::uint32_t>(p); }},
    {L"_cx", [](LabelAppearance& a, const LabelProperty& p) { a.cx = ValueAs<std::uint32_t>(p); }},
    {L"_cy", [](LabelAppearance& a, const LabelProperty& p) { a.cy = ValueAs<std::uint32_t>(p); }},
    {L"Font", [](LabelAppearance& a, const LabelProperty& p) { a.font = FontFrom(p); }},
    {L"Picture", [](LabelAppearance&, const LabelProperty& p) { ValueAs<NoPicture>(p); }},
    {L"Caption",
     [](LabelAppearance& a, const LabelProperty& p) {
       a.caption = std::wstring(ValueAs<std::wstring_view>(p));
     }},
    {L"BackStyle",
     [](LabelAppearance& a, const LabelProperty& p) { a.backStyle = InRange(p, 0, 1); }},
    {L"BackColor",
     [](LabelAppearance& a, const LabelProperty& p) { a.backColor = ValueAs<Color>(p); }},
    {L"ForeColor",
     [](LabelAppearance& a, const LabelProperty& p) { a.foreColor = ValueAs<Color>(p); }},
    {L"LabelStyle",
     [](LabelAppearance& a, const LabelProperty& p) {
       a.labelStyle = static_cast<LabelStyle>(InRange(p, 0, 2));
     }},
    {L"Label3dStyle",
     [](LabelAppearance& a, const LabelProperty& p) {
       a.label3dStyle = static_cast<Label3dStyle>(InRange(p, 0, 2));
     }},
    {L"Label3dOrientation",
     [](LabelAppearance& a, const LabelProperty& p) {
       a.label3dOrientation = static_cast<Label3dOrientation>(InRange(p, 0, 8));
     }},
    {L"Label3dDepth", [](LabelAppearance& a,
                         const LabelProperty& p) { a.label3dDepth = InRange(p, 0, kMostPixels); }},
    {L"PenWidth",
     [](LabelAppearance& a, const LabelProperty& p) { a.penWidth = InRange(p, 0, kMostPixels); }},
    {L"Angle",
     [](LabelAppearance& a, const LabelProperty& p) { a.angle = ValueAs<std::int16_t>(p); }},
    {L"ShadowColor",
     [](LabelAppearance& a, const LabelProperty& p) { a.shadowColor = ValueAs<Color>(p); }},
}};

// Colours are the platform's colour numbers; a set high byte would name a palette entry or a
// system colour, which the label does not draw with.
void RequirePlainColors(const LabelAppearance& appearance) {
  for (const auto& [name, color] : {std::pair{L"BackColor", appearance.backColor},
                                    std::pair{L"ForeColor", appearance.foreColor},
                                    std::pair{L"ShadowColor", appearance.shadowColor}}) {
    if (color.bgr > 0xFFFFFF) Reject(name, L"not an RGB colour");
  }
}

}  // namespace

LabelAppearance ParseLabelProperties(LabelPropertyBag properties) {
  LabelAppearance appearance;
  std::array<bool, kKnown.size()> seen{};
  for (const LabelProperty& property : properties) {
    std::size_t index = 0;
    while (index < kKnown.size() && kKnown[index].name != property.name) ++index;
    if (index == kKnown.size()) Reject(property.name, L"no such property");
    if (seen[index]) Reject(property.name, L"given twice");
    seen[index] = true;
    kKnown[index].set(appearance, property);
  }
  RequirePlainColors(appearance);
  return appearance;
}

}  // namespace calmora
