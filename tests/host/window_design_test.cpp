// The windows' designs, checked against the pixel sizes they must have at 96 dots per inch and
// against scaling to a larger DPI.
#include <gtest/gtest.h>

#include "app/message_window/calmora_form_design.h"
#include "app/options_window/options_design.h"

namespace calmora {
namespace {

struct Pixels {
  int left, top, width, height;
  bool operator==(const Pixels&) const = default;
};

Pixels At(const TwipsRect& rect, int dpi) {
  return {TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
          TwipsToPixels(rect.width, dpi), TwipsToPixels(rect.height, dpi)};
}

TEST(WindowDesign, ControlsSitWhereTheyShouldAt96Dpi) {
  namespace message = calmora_form_design;
  namespace options = options_design;
  const std::pair<TwipsRect, Pixels> rows[] = {
      {message::kUserMessageText.rect, {24, 128, 593, 257}},
      {message::kOkayButton.rect, {272, 408, 113, 33}},
      {message::kYourTechLabel.rect, {24, 104, 593, 17}},
      {message::kCalmoraLabel.rect, {32, 24, 577, 73}},
      {{0, 0, message::kWindow.clientWidth, message::kWindow.clientHeight}, {0, 0, 640, 453}},
      {options::kCloseButton.rect, {248, 96, 57, 25}},
      {options::kRemoveAfterRebootCheckBox.rect, {24, 48, 257, 33}},
      {options::kInUsersStartupCheckBox.rect, {24, 16, 257, 25}},
      {{0, 0, options::kWindow.clientWidth, options::kWindow.clientHeight}, {0, 0, 307, 126}},
  };
  for (const auto& [twips, pixels] : rows) {
    EXPECT_EQ(At(twips, 96), pixels) << pixels.left << "," << pixels.top;
    // At 150 % everything is half as large again, to the nearest pixel.
    const Pixels larger = At(twips, 144);
    EXPECT_NEAR(larger.width, pixels.width * 1.5, 1.0);
    EXPECT_NEAR(larger.height, pixels.height * 1.5, 1.0);
  }
}

TEST(WindowDesign, FontsHaveTheirPointSizesInPixels) {
  EXPECT_EQ(FontPixelHeight(calmora_form_design::kUserMessageText.font, 96), 16);  // 12 pt
  EXPECT_EQ(FontPixelHeight(options_design::kFont, 96), 11);                       // 8.25 pt
  EXPECT_EQ(FontPixelHeight({L"Elephant", 480000, 400, false, 0}, 96), 64);        // 48 pt
  EXPECT_EQ(FontPixelHeight({L"Elephant", 480000, 400, false, 0}, 144), 96);
}

}  // namespace
}  // namespace calmora
