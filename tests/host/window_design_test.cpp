// The windows' designs in pixels at 100, 125 and 150 percent.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "app/message_window/calmora_form_design.h"
#include "app/options_window/options_design.h"

namespace calmora {
namespace {

TEST(WindowDesign, TwipsAndPointsRoundToTheNearestPixel) {
  // 15, 12 and 10 twips a pixel, a half pixel rounding up; 8.25 pt is 11, 13.75 and 16.5 pixels.
  for (const auto& [dpi, roundsDown, roundsUp, fontPixels] :
       {std::array{96, 7, 8, 11}, std::array{120, 5, 6, 14}, std::array{144, 4, 5, 17}}) {
    EXPECT_EQ(TwipsToPixels(roundsDown, dpi), 0) << dpi;
    EXPECT_EQ(TwipsToPixels(roundsUp, dpi), 1) << dpi;
    EXPECT_EQ(FontPixelHeight(options_design::kFont, dpi), fontPixels) << dpi;
  }
}

TEST(WindowDesign, EveryControlLiesInsideTheClientAreaAndClearOfTheOthers) {
  namespace message = calmora_form_design;
  namespace options = options_design;
  const std::pair<WindowDesign, std::vector<TwipsRect>> windows[] = {
      {message::kWindow,
       {message::kCalmoraLabel.rect, message::kYourTechLabel.rect, message::kUserMessageText.rect,
        message::kOkayButton.rect}},
      {options::kWindow,
       {options::kInUsersStartupCheckBox.rect, options::kRemoveAfterRebootCheckBox.rect,
        options::kCloseButton.rect}},
  };
  for (const auto& [window, controls] : windows) {
    for (const int dpi : {96, 120, 144}) {
      SCOPED_TRACE(::testing::Message() << std::wstring(window.caption) << " at " << dpi);
      for (std::size_t i = 0; i < controls.size(); ++i) {
        const PixelBounds a = ToPixels(controls[i], dpi);
        EXPECT_TRUE(a.left >= 0 && a.top >= 0 &&
                    a.right <= TwipsToPixels(window.clientWidth, dpi) &&
                    a.bottom <= TwipsToPixels(window.clientHeight, dpi))
            << "control " << i;
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
          const PixelBounds b = ToPixels(controls[j], dpi);
          EXPECT_TRUE(a.right <= b.left || b.right <= a.left || a.bottom <= b.top ||
                      b.bottom <= a.top)
              << "controls " << i << " and " << j << " overlap";
        }
      }
    }
  }
}

}  // namespace
}  // namespace calmora
