// The vocabulary in which the windows' designs are written: rectangles in twips from the
// client area's top-left corner, fonts, and colours as the platform's 0x00BBGGRR numbers.
#pragma once

#include <cstdint>
#include <string_view>

namespace calmora {

// Left, top, width, height, in twips (1/1440 inch).
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

// The platform's colour number: red in the low byte, then green, then blue.
struct Color {
  std::uint32_t bgr;
  constexpr std::uint8_t Red() const { return static_cast<std::uint8_t>(bgr & 0xFF); }
  constexpr std::uint8_t Green() const { return static_cast<std::uint8_t>((bgr >> 8) & 0xFF); }
  constexpr std::uint8_t Blue() const { return static_cast<std::uint8_t>((bgr >> 16) & 0xFF); }
  constexpr bool operator==(const Color&) const = default;
};

constexpr Color Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Color{static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
               (static_cast<std::uint32_t>(blue) << 16)};
}

struct FontSpec {
  std::wstring_view face;
  // Held in ten-thousandths of a point, so that 8.25 pt is exact.
  std::int32_t sizeTenThousandthsOfPoint;
  std::int16_t weight;
  bool italic;
  std::uint8_t charset;
  constexpr bool operator==(const FontSpec&) const = default;
};

// Twips to device pixels at `dpi` dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

// A rectangle in device pixels: left and top inside it, right and bottom just past it.
struct PixelBounds {
  int left;
  int top;
  int right;
  int bottom;
};

// Where a control designed at `rect` lies at `dpi`: its corner and its size, each rounded.
constexpr PixelBounds ToPixels(const TwipsRect& rect, int dpi) {
  const int left = TwipsToPixels(rect.left, dpi);
  const int top = TwipsToPixels(rect.top, dpi);
  return {left, top, left + TwipsToPixels(rect.width, dpi), top + TwipsToPixels(rect.height, dpi)};
}

// A font's character height in pixels (the negative LOGFONT height) at `dpi`.
constexpr int FontPixelHeight(const FontSpec& font, int dpi) {
  const long long scaled = static_cast<long long>(font.sizeTenThousandthsOfPoint) * dpi;
  const long long perPoint = 72LL * 10000;
  return static_cast<int>((scaled + perPoint / 2) / perPoint);
}

}  // namespace calmora
