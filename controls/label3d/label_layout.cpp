// The 3-D label's geometry: its shadow copies and the caption's place in the label.
#include "controls/label3d/label_layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace calmora {
namespace {

PixelOffset Step(Label3dOrientation orientation) {
  switch (orientation) {
    case Label3dOrientation::kRight:
      return {1, 0};
    case Label3dOrientation::kUpRight:
      return {1, -1};
    case Label3dOrientation::kUp:
      return {0, -1};
    case Label3dOrientation::kUpLeft:
      return {-1, -1};
    case Label3dOrientation::kLeft:
      return {-1, 0};
    case Label3dOrientation::kDownLeft:
      return {-1, 1};
    case Label3dOrientation::kDown:
      return {0, 1};
    case Label3dOrientation::kDownRight:
      return {1, 1};
    case Label3dOrientation::kAround:
      break;
  }
  return {0, 0};
}

// Every offset within `radius` of the face. The bound r*r + r rounds the disc out a little, so a
// radius of one takes in the diagonals too and a one-pixel rim closes round every corner.
void AddDisc(std::vector<PixelOffset>& out, PixelOffset centre, int radius) {
  for (int y = -radius; y <= radius; ++y) {
    for (int x = -radius; x <= radius; ++x) {
      if (x * x + y * y <= radius * radius + radius) out.push_back({centre.x + x, centre.y + y});
    }
  }
}

}  // namespace

int ScaleToDpi(int pixelsAt96, unsigned dpi) {
  if (pixelsAt96 == 0) return 0;
  const long long scaled = (static_cast<long long>(pixelsAt96) * dpi + 48) / 96;
  return std::max(1, static_cast<int>(scaled));
}

std::vector<PixelOffset> ShadowStamps(Label3dStyle style, Label3dOrientation orientation, int depth,
                                      int penWidth) {
  std::vector<PixelOffset> stamps;
  const PixelOffset step = Step(orientation);
  const bool around = orientation == Label3dOrientation::kAround;
  switch (style) {
    case Label3dStyle::kFlat:
      break;
    case Label3dStyle::kDropShadow:
      if (around) {
        AddDisc(stamps, {0, 0}, depth);
      } else {
        stamps.push_back({step.x * depth, step.y * depth});
      }
      break;
    case Label3dStyle::kBlock:
      if (around) {
        AddDisc(stamps, {0, 0}, depth + penWidth);
      } else {
        for (int k = 0; k <= depth; ++k) AddDisc(stamps, {step.x * k, step.y * k}, penWidth);
      }
      break;
  }
  // A copy right under the face would only darken the face's smoothed edges.
  std::erase(stamps, PixelOffset{0, 0});
  std::sort(stamps.begin(), stamps.end(),
            [](PixelOffset a, PixelOffset b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  stamps.erase(std::unique(stamps.begin(), stamps.end()), stamps.end());
  return stamps;
}

PixelOffset PlaceCaption(LabelStyle style, int boxWidth, int boxHeight, int textWidth,
                         int textHeight, int angle, std::span<const PixelOffset> stamps) {
  // The text cell's corners, turned about the text's starting point. Turning anticlockwise on a
  // screen whose y grows downward takes the baseline's direction (1, 0) to (cos, -sin).
  const double radians = static_cast<double>(angle % 360) * std::numbers::pi / 180.0;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  double left = 0, right = 0, top = 0, bottom = 0;
  bool first = true;
  for (const double cx : {0.0, static_cast<double>(textWidth)}) {
    for (const double cy : {0.0, static_cast<double>(textHeight)}) {
      const double x = cx * c + cy * s;
      const double y = -cx * s + cy * c;
      left = first ? x : std::min(left, x);
      right = first ? x : std::max(right, x);
      top = first ? y : std::min(top, y);
      bottom = first ? y : std::max(bottom, y);
      first = false;
    }
  }
  // The shadow copies widen the inked area; the whole of it is what gets aligned.
  double extraLeft = 0, extraRight = 0, extraTop = 0, extraBottom = 0;
  for (const PixelOffset stamp : stamps) {
    extraLeft = std::min(extraLeft, static_cast<double>(stamp.x));
    extraRight = std::max(extraRight, static_cast<double>(stamp.x));
    extraTop = std::min(extraTop, static_cast<double>(stamp.y));
    extraBottom = std::max(extraBottom, static_cast<double>(stamp.y));
  }
  left += extraLeft;
  right += extraRight;
  top += extraTop;
  bottom += extraBottom;

  double x = 0;
  switch (style) {
    case LabelStyle::kCentred:
      x = (boxWidth - (right - left)) / 2 - left;
      break;
    case LabelStyle::kLeft:
      x = -left;
      break;
    case LabelStyle::kRight:
      x = boxWidth - right;
      break;
  }
  const double y = (boxHeight - (bottom - top)) / 2 - top;
  return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

}  // namespace calmora
