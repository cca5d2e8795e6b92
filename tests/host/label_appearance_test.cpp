// Reading the 3-D label's property bag: the message window's own labels, and bags it refuses.
#include "controls/label3d/label_appearance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "app/message_window/calmora_form_design.h"
#include "platform/runtime_error.h"

namespace calmora {
namespace {

namespace design = calmora_form_design;

// The bag repeats the label's size in HIMETRIC; it must agree with the rectangle it is placed by.
std::uint32_t Himetric(int twips) {
  return static_cast<std::uint32_t>(std::lround(twips * 2540.0 / 1440.0));
}

TEST(LabelAppearance, ReadsTheMessageWindowsLabels) {
  for (const auto& [label, caption] :
       {std::pair{design::kCalmoraLabel, L"Calmora!"},
        std::pair{design::kYourTechLabel, L"[HERE IS A MESSAGE FROM YOUR PERSONAL TECHNICIAN]"}}) {
    const LabelAppearance appearance = ParseLabelProperties(label.properties);
    EXPECT_EQ(appearance.caption, caption);
    EXPECT_EQ(appearance.cx, Himetric(label.rect.width));
    EXPECT_EQ(appearance.cy, Himetric(label.rect.height));
  }
}

// Each bag is refused under the label's one error number, and the report names the property.
TEST(LabelAppearance, RefusesWhatItCannotDrawAndNamesIt) {
  for (const std::vector<LabelProperty>& bag : std::vector<std::vector<LabelProperty>>{
           {{L"Label3DDepth", std::int32_t{7}}},        // names are matched exactly
           {{L"_cx", std::int32_t{15266}}},             // the wrong type
           {{L"Label3dOrientation", std::int32_t{9}}},  // out of range
           {{L"BackColor", Color{0x80000005}}},         // a system colour, not RGB
           {{L"Font", FontSpec{L"", 480000, 400, false, 0}}},
           {{L"Caption", std::wstring_view{L"a"}}, {L"Caption", std::wstring_view{L"b"}}},
       }) {
    try {
      ParseLabelProperties(bag);
      ADD_FAILURE() << "accepted " << std::wstring(bag.back().name);
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), kInvalidLabelProperty);
      EXPECT_NE(error.Detail().find(bag.back().name), std::wstring::npos) << error.Detail();
    }
  }
}

}  // namespace
}  // namespace calmora
