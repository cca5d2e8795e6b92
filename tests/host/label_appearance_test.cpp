// Reading the 3-D label's property bag: the message window's two labels, and bags it refuses.
#include "platform/label_appearance.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "platform/runtime_error.h"
#include "tests/common/label_design_bags.h"

namespace calmora {
namespace {

using testing::kHeadingBag;
using testing::kSubHeadingBag;

std::uint32_t Himetric(int twips) {
  return static_cast<std::uint32_t>(std::lround(twips * 2540.0 / 1440.0));
}

std::uint32_t ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.Number();
  }
  return 0;
}

TEST(LabelAppearance, ReadsTheHeading) {
  const LabelAppearance heading = ParseLabelProperties(kHeadingBag);
  EXPECT_EQ(heading.version, 0u);
  EXPECT_EQ(heading.cx, Himetric(8655));
  EXPECT_EQ(heading.cy, Himetric(1095));
  EXPECT_EQ(heading.cx, 15266u);
  EXPECT_EQ(heading.cy, 1931u);
  EXPECT_EQ(heading.font, (LabelFont{L"Elephant", 480000, 400, false, 0}));
  EXPECT_EQ(FontPixelHeight(heading.font.Spec(), 96), 64);
  EXPECT_EQ(heading.caption, L"Calmora!");
  EXPECT_EQ(heading.backStyle, 0);
  EXPECT_EQ(heading.backColor, Rgb(192, 0, 0));
  EXPECT_EQ(heading.foreColor, Rgb(255, 255, 255));
  EXPECT_EQ(heading.labelStyle, LabelStyle::kCentred);
  EXPECT_EQ(heading.label3dStyle, Label3dStyle::kBlock);
  EXPECT_EQ(heading.label3dOrientation, Label3dOrientation::kDownRight);
  EXPECT_EQ(heading.label3dDepth, 7);
  EXPECT_EQ(heading.penWidth, 1);
  EXPECT_EQ(heading.angle, 0);
  EXPECT_EQ(heading.shadowColor, Rgb(165, 42, 0));
}

TEST(LabelAppearance, ReadsTheSubHeading) {
  const LabelAppearance sub = ParseLabelProperties(kSubHeadingBag);
  EXPECT_EQ(sub.version, 4u);
  EXPECT_EQ(sub.cx, Himetric(8895));
  EXPECT_EQ(sub.cy, Himetric(255));
  EXPECT_EQ(sub.cx, 15690u);
  EXPECT_EQ(sub.cy, 450u);
  EXPECT_EQ(sub.font, (LabelFont{L"MS Sans Serif", 82500, 400, false, 0}));
  EXPECT_EQ(FontPixelHeight(sub.font.Spec(), 96), 11);
  EXPECT_EQ(sub.caption, L"[HERE IS A MESSAGE FROM YOUR PERSONAL TECHNICIAN]");
  EXPECT_EQ(sub.caption.size(), 49u);
  EXPECT_EQ(sub.backColor, Rgb(192, 0, 0));
  EXPECT_EQ(sub.foreColor, Rgb(255, 255, 255));
  EXPECT_EQ(sub.labelStyle, LabelStyle::kLeft);
  EXPECT_EQ(sub.label3dStyle, Label3dStyle::kBlock);
  EXPECT_EQ(sub.label3dOrientation, Label3dOrientation::kDownRight);
  EXPECT_EQ(sub.label3dDepth, 2);
  EXPECT_EQ(sub.penWidth, 1);
  EXPECT_EQ(sub.angle, 0);
  EXPECT_EQ(sub.shadowColor, Rgb(0, 0, 0));
}

TEST(LabelAppearance, TakesTheBagInAnyOrderAndKeepsDefaultsForWhatIsLeftOut) {
  std::vector<LabelProperty> reversed(kHeadingBag.rbegin(), kHeadingBag.rend());
  EXPECT_EQ(ParseLabelProperties(reversed), ParseLabelProperties(kHeadingBag));
  EXPECT_EQ(ParseLabelProperties({}), LabelAppearance{});
}

TEST(LabelAppearance, RefusesAnUnknownName) {
  const std::array<LabelProperty, 1> misspelt{{{L"Label3DDepth", std::int32_t{7}}}};
  EXPECT_EQ(ErrorNumberOf([&] { ParseLabelProperties(misspelt); }), kInvalidLabelProperty);
  const std::array<LabelProperty, 1> foreign{{{L"Alignment", std::int32_t{0}}}};
  EXPECT_EQ(ErrorNumberOf([&] { ParseLabelProperties(foreign); }), kInvalidLabelProperty);
}

TEST(LabelAppearance, RefusesAValueOfTheWrongType) {
  for (const LabelProperty& wrong : std::array<LabelProperty, 6>{{
           {L"_cx", std::int32_t{15266}},
           {L"Angle", std::int32_t{0}},
           {L"Label3dDepth", std::int16_t{7}},
           {L"ForeColor", std::uint32_t{16777215}},
           {L"Caption", Color{0}},
           {L"Picture", std::wstring_view{L"heading.bmp"}},
       }}) {
    EXPECT_EQ(ErrorNumberOf([&] { ParseLabelProperties(std::span(&wrong, 1)); }),
              kInvalidLabelProperty)
        << std::wstring(wrong.name);
  }
}

TEST(LabelAppearance, RefusesValuesOutOfRangeAndNamesGivenTwice) {
  for (const LabelProperty& wrong : std::array<LabelProperty, 5>{{
           {L"Label3dOrientation", std::int32_t{9}},
           {L"Label3dStyle", std::int32_t{-1}},
           {L"LabelStyle", std::int32_t{3}},
           {L"BackColor", Color{0x80000005}},
           {L"Font", FontSpec{L"", 480000, 400, false, 0}},
       }}) {
    EXPECT_EQ(ErrorNumberOf([&] { ParseLabelProperties(std::span(&wrong, 1)); }),
              kInvalidLabelProperty);
  }
  const std::array<LabelProperty, 2> twice{
      {{L"Caption", std::wstring_view{L"a"}}, {L"Caption", std::wstring_view{L"b"}}}};
  EXPECT_EQ(ErrorNumberOf([&] { ParseLabelProperties(twice); }), kInvalidLabelProperty);
}

TEST(LabelAppearance, NamesTheRefusedPropertyInTheReport) {
  const std::array<LabelProperty, 1> wrong{{{L"PenWidth", std::uint32_t{1}}}};
  try {
    ParseLabelProperties(wrong);
    FAIL();
  } catch (const RuntimeError& error) {
    EXPECT_NE(error.Detail().find(L"PenWidth"), std::wstring::npos);
    EXPECT_FALSE(error.Text().empty());
  }
}

}  // namespace
}  // namespace calmora
