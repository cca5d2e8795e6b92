// The 3-D label's geometry: which shadow copies each effect draws and where the caption stands.
#include "controls/label3d/label_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace calmora {
namespace {

using ::testing::ElementsAre;

TEST(LabelLayout, DepthsAndRimsGrowWithTheDisplayButNeverVanish) {
  EXPECT_EQ(ScaleToDpi(7, 144), 11);
  EXPECT_EQ(ScaleToDpi(1, 40), 1);
  EXPECT_EQ(ScaleToDpi(0, 192), 0);
}

TEST(LabelLayout, EachEffectStampsItsShadowCopies) {
  using enum Label3dOrientation;
  EXPECT_TRUE(ShadowStamps(Label3dStyle::kFlat, kDownRight, 7, 1).empty());
  EXPECT_THAT(ShadowStamps(Label3dStyle::kDropShadow, kUp, 2, 1), ElementsAre(PixelOffset{0, -2}));
  EXPECT_THAT(ShadowStamps(Label3dStyle::kBlock, kDownRight, 2, 0),
              ElementsAre(PixelOffset{1, 1}, PixelOffset{2, 2}));
  // The heading: the face and seven steps down to the right, a one-pixel rim round each.
  const auto heading = ShadowStamps(Label3dStyle::kBlock, kDownRight, 7, 1);
  EXPECT_EQ(heading.front(), (PixelOffset{-1, -1}));
  EXPECT_EQ(heading.back(), (PixelOffset{8, 8}));
  EXPECT_EQ(heading.size(), 3u * 3u + 7u * 5u - 1u);
  // All round: a rounded halo, the face's own place left out.
  EXPECT_EQ(ShadowStamps(Label3dStyle::kBlock, kAround, 1, 1).size(), 5u * 5u - 4u - 1u);
}

TEST(LabelLayout, PlacesTheCaptionWithItsShadowAndTurn) {
  const auto shadow = ShadowStamps(Label3dStyle::kBlock, Label3dOrientation::kDownRight, 2, 1);
  struct Case {
    LabelStyle style;
    int box[2], text[2], angle;
    std::span<const PixelOffset> stamps;
    PixelOffset at;
  };
  for (const Case& c : {
           Case{LabelStyle::kCentred, {577, 73}, {200, 61}, 0, {}, {189, 6}},
           // Face and shadow span from -1 to +3 around the text.
           Case{LabelStyle::kLeft, {593, 17}, {300, 11}, 0, shadow, {1, 2}},
           Case{LabelStyle::kRight, {593, 17}, {300, 11}, 0, shadow, {290, 2}},
           // A quarter turn anticlockwise runs the text upward from its start.
           Case{LabelStyle::kCentred, {100, 300}, {200, 40}, 90, {}, {30, 250}},
           Case{LabelStyle::kCentred, {300, 100}, {200, 40}, 180, {}, {250, 70}},
       }) {
    EXPECT_EQ(PlaceCaption(c.style, c.box[0], c.box[1], c.text[0], c.text[1], c.angle, c.stamps),
              c.at)
        << c.box[0] << "x" << c.box[1] << " at " << c.angle;
  }
}

}  // namespace
}  // namespace calmora
