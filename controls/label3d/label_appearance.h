// What a 3-D label looks like, read from the property bag its window hands over. The enumerated
// properties are the label's own vocabulary; their values and what each one draws are fixed here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "controls/design_types.h"
#include "controls/label3d/label_properties.h"

namespace calmora {

// The number a bag that the label cannot accept is reported under: the platform's "The
// parameter is incorrect.", since the bag is the label's one parameter.
inline constexpr std::uint32_t kInvalidLabelProperty = 87;

// Where the caption stands across the label; it is always centred from top to bottom.
enum class LabelStyle : std::int32_t {
  kCentred = 0,
  kLeft = 1,
  kRight = 2,
};

// How the caption stands out from the background.
enum class Label3dStyle : std::int32_t {
  // The caption alone, in the fore colour.
  kFlat = 0,
  // One copy of the caption in the shadow colour, `Label3dDepth` away: it floats above it.
  kDropShadow = 1,
  // The caption extruded `Label3dDepth` deep as a solid block in the shadow colour, the block and
  // the face edged all round by a rim `PenWidth` wide in the same colour.
  kBlock = 2,
};

// The direction in which the 3-D effect runs away from the face, in steps of 45 degrees counted
// anticlockwise from "to the right", the way `Angle` turns the text.
enum class Label3dOrientation : std::int32_t {
  kRight = 0,
  kUpRight = 1,
  kUp = 2,
  kUpLeft = 3,
  kLeft = 4,
  kDownLeft = 5,
  kDown = 6,
  kDownRight = 7,
  // All round the face at once: a halo rather than a direction.
  kAround = 8,
};

struct LabelFont {
  std::wstring face = L"MS Sans Serif";
  std::int32_t sizeTenThousandthsOfPoint = 82500;
  std::int16_t weight = 400;
  bool italic = false;
  std::uint8_t charset = 0;

  // A view for the design's unit helpers; it lives as long as this font.
  FontSpec Spec() const { return {face, sizeTenThousandthsOfPoint, weight, italic, charset}; }
  bool operator==(const LabelFont&) const = default;
};

// A property that the bag leaves out keeps the value given here.
struct LabelAppearance {
  std::uint32_t version = 0;
  // The label's size in HIMETRIC (1/100 mm). The window places the label by its own rectangle;
  // these only repeat that size.
  std::uint32_t cx = 0;
  std::uint32_t cy = 0;
  LabelFont font;
  std::wstring caption;
  // 0 lets what is behind the label show through; 1 fills the label with the back colour.
  std::int32_t backStyle = 1;
  Color backColor = Rgb(192, 192, 192);
  Color foreColor = Rgb(0, 0, 0);
  LabelStyle labelStyle = LabelStyle::kCentred;
  Label3dStyle label3dStyle = Label3dStyle::kFlat;
  Label3dOrientation label3dOrientation = Label3dOrientation::kDownRight;
  // In pixels at 96 dots per inch; the label scales it with the display.
  std::int32_t label3dDepth = 0;
  // In pixels at 96 dots per inch, like the depth.
  std::int32_t penWidth = 1;
  // Whole degrees anticlockwise, any number of turns; 0 is level text.
  std::int16_t angle = 0;
  Color shadowColor = Rgb(128, 128, 128);

  bool operator==(const LabelAppearance&) const = default;
};

// The colours a label draws with: its caption in `fore` over `back`, and its 3-D effect in
// `shadow`; without a shadow colour the caption is drawn flat, whatever its 3-D style.
struct LabelColors {
  Color fore;
  Color back;
  std::optional<Color> shadow;
  bool operator==(const LabelColors&) const = default;
};

// The colours the label's design gives it.
inline LabelColors DesignColors(const LabelAppearance& appearance) {
  return {appearance.foreColor, appearance.backColor, appearance.shadowColor};
}

// Reads a label's property bag. Every name must be one of the label's properties, given once,
// with the value type that property takes, and enumerated values and sizes must lie in their
// range; anything else is a RuntimeError numbered kInvalidLabelProperty that names the property.
LabelAppearance ParseLabelProperties(LabelPropertyBag properties);

}  // namespace calmora
