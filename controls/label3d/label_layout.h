// Where a 3-D label draws: the copies of the caption that make its 3-D effect, and where the
// caption stands inside the label. Pixel arithmetic only; the drawing is the platform's.
#pragma once

#include <span>
#include <vector>

#include "controls/label3d/label_appearance.h"

namespace calmora {

struct PixelOffset {
  int x;
  int y;
  constexpr bool operator==(const PixelOffset&) const = default;
};

// A length the label's design gives in pixels at 96 dots per inch, at `dpi`, rounded; a length
// that is not zero stays at least one pixel, so a thin rim never vanishes.
int ScaleToDpi(int pixelsAt96, unsigned dpi);

// The offsets from the face, in device pixels (y grows downward), at which the caption is drawn
// in the shadow colour before the face goes on top. `depth` and `penWidth` are device pixels.
// Every copy has the one colour, so their order carries no meaning; each offset appears once.
std::vector<PixelOffset> ShadowStamps(Label3dStyle style, Label3dOrientation orientation, int depth,
                                      int penWidth);

// The point at which the face's text starts (the top-left corner of its text cell, turned with
// the text) so that the face and its shadow copies together stand in a `boxWidth` x `boxHeight`
// label as `style` says, centred from top to bottom. `textWidth` x `textHeight` is the caption's
// cell before turning; `angle` turns it anticlockwise in whole degrees.
PixelOffset PlaceCaption(LabelStyle style, int boxWidth, int boxHeight, int textWidth,
                         int textHeight, int angle, std::span<const PixelOffset> stamps);

}  // namespace calmora
