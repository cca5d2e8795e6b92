// The 3-D label's geometry: which shadow copies each effect draws and where the caption stands.
#include "platform/label_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace calmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(LabelLayout, DepthsAndRimsGrowWithTheDisplay) {
  EXPECT_EQ(ScaleToDpi(7, 96), 7);
  EXPECT_EQ(ScaleToDpi(7, 144), 11);
  EXPECT_EQ(ScaleToDpi(2, 120), 3);
  EXPECT_EQ(ScaleToDpi(1, 72), 1);
  EXPECT_EQ(ScaleToDpi(0, 192), 0);
}

TEST(LabelLayout, FlatDrawsNoShadow) {
  EXPECT_THAT(ShadowStamps(Label3dStyle::kFlat, Label3dOrientation::kDownRight, 7, 1), IsEmpty());
}

TEST(LabelLayout, DropShadowIsOneCopyAtFullDepth) {
  EXPECT_THAT(ShadowStamps(Label3dStyle::kDropShadow, Label3dOrientation::kDownRight, 3, 1),
              ElementsAre(PixelOffset{3, 3}));
  EXPECT_THAT(ShadowStamps(Label3dStyle::kDropShadow, Label3dOrientation::kUp, 2, 1),
              ElementsAre(PixelOffset{0, -2}));
  EXPECT_THAT(ShadowStamps(Label3dStyle::kDropShadow, Label3dOrientation::kRight, 4, 0),
              ElementsAre(PixelOffset{4, 0}));
}

TEST(LabelLayout, BlockFillsEveryStepAndItsRimCloses) {
  EXPECT_THAT(ShadowStamps(Label3dStyle::kBlock, Label3dOrientation::kDownRight, 2, 0),
              ElementsAre(PixelOffset{1, 1}, PixelOffset{2, 2}));
  EXPECT_THAT(
      ShadowStamps(Label3dStyle::kBlock, Label3dOrientation::kLeft, 0, 1),
      ElementsAre(PixelOffset{-1, -1}, PixelOffset{0, -1}, PixelOffset{1, -1}, PixelOffset{-1, 0},
                  PixelOffset{1, 0}, PixelOffset{-1, 1}, PixelOffset{0, 1}, PixelOffset{1, 1}));
  // The heading: the face and seven steps down to the right, a one-pixel rim round each.
  const auto heading = ShadowStamps(Label3dStyle::kBlock, Label3dOrientation::kDownRight, 7, 1);
  EXPECT_EQ(heading.front(), (PixelOffset{-1, -1}));
  EXPECT_EQ(heading.back(), (PixelOffset{8, 8}));
  EXPECT_EQ(heading.size(), 3u * 3u + 7u * 5u - 1u);
}

TEST(LabelLayout, AroundIsAHalo) {
  const auto halo = ShadowStamps(Label3dStyle::kBlock, Label3dOrientation::kAround, 1, 1);
  EXPECT_EQ(halo.size(), 5u * 5u - 4u - 1u);
  EXPECT_EQ(ShadowStamps(Label3dStyle::kDropShadow, Label3dOrientation::kAround, 1, 5).size(), 8u);
}

TEST(LabelLayout, StylesPlaceTheCaptionAcrossAndAlwaysCentreItDown) {
  const std::vector<PixelOffset> none;
  EXPECT_EQ(PlaceCaption(LabelStyle::kCentred, 577, 73, 200, 61, 0, none), (PixelOffset{189, 6}));
  EXPECT_EQ(PlaceCaption(LabelStyle::kLeft, 593, 17, 300, 13, 0, none), (PixelOffset{0, 2}));
  EXPECT_EQ(PlaceCaption(LabelStyle::kRight, 593, 17, 300, 13, 0, none), (PixelOffset{293, 2}));
}

TEST(LabelLayout, TheShadowIsPartOfWhatIsPlaced) {
  const auto stamps = ShadowStamps(Label3dStyle::kBlock, Label3dOrientation::kDownRight, 2, 1);
  // Face and shadow span from -1 to +3 around the text: five pixels more each way.
  EXPECT_EQ(PlaceCaption(LabelStyle::kLeft, 593, 17, 300, 11, 0, stamps), (PixelOffset{1, 2}));
  EXPECT_EQ(PlaceCaption(LabelStyle::kRight, 593, 17, 300, 11, 0, stamps), (PixelOffset{290, 2}));
  EXPECT_EQ(PlaceCaption(LabelStyle::kCentred, 104, 104, 100, 100, 0, stamps), (PixelOffset{1, 1}));
}

TEST(LabelLayout, ATurnedCaptionIsCentredByItsTurnedCell) {
  const std::vector<PixelOffset> none;
  // Turned a quarter anticlockwise the text runs upward from its start, its cell to the right.
  EXPECT_EQ(PlaceCaption(LabelStyle::kCentred, 100, 300, 200, 40, 90, none),
            (PixelOffset{30, 250}));
  EXPECT_EQ(PlaceCaption(LabelStyle::kCentred, 300, 100, 200, 40, 180, none),
            (PixelOffset{250, 70}));
  EXPECT_EQ(PlaceCaption(LabelStyle::kCentred, 300, 100, 200, 40, 360, none),
            (PixelOffset{50, 30}));
}

}  // namespace
}  // namespace calmora
