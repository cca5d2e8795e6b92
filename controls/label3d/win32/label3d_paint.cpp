// The 3-D label's drawing: the caption drawn once in the shadow colour at every offset that the
// effect covers, then once on top in the fore colour. Drawing whole glyphs again and again keeps
// GDI's smoothing on every edge, which a path or a mask could not give as cheaply.
#include "controls/label3d/win32/label3d_paint.h"

#include <optional>

#include "controls/label3d/label_layout.h"

namespace calmora::win32 {
namespace {

COLORREF ColorRef(Color color) {
  return RGB(color.Red(), color.Green(), color.Blue());
}

}  // namespace

UniqueFont CreateLabelFont(const LabelAppearance& appearance, UINT dpi) noexcept {
  LOGFONTW font{};
  font.lfHeight = -FontPixelHeight(appearance.font.Spec(), static_cast<int>(dpi));
  // Tenths of a degree, anticlockwise, for the line and for each letter alike.
  font.lfEscapement = (appearance.angle % 360) * 10;
  font.lfOrientation = font.lfEscapement;
  font.lfWeight = appearance.font.weight;
  font.lfItalic = appearance.font.italic ? TRUE : FALSE;
  font.lfCharSet = appearance.font.charset;
  // Outline fonts turn and smooth; where a face also exists as a bitmap font ("MS Sans Serif"),
  // the outline one is taken.
  font.lfOutPrecision = OUT_TT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  // Grey smoothing rather than ClearType: the caption is drawn many times over itself, and
  // ClearType's coloured fringes would add up along the shadow's edges.
  font.lfQuality = ANTIALIASED_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  appearance.font.face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectW(&font));
}

void PaintLabelCaption(HDC dc, int width, int height, const LabelAppearance& appearance, HFONT font,
                       UINT dpi) noexcept {
  const std::wstring& caption = appearance.caption;
  if (caption.empty()) return;
  std::optional<ScopedSelect> selectFont;
  if (font) selectFont.emplace(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);

  const auto length = static_cast<UINT>(caption.size());
  SIZE text{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(length), &text);
  const std::vector<PixelOffset> stamps =
      ShadowStamps(appearance.label3dStyle, appearance.label3dOrientation,
                   ScaleToDpi(appearance.label3dDepth, dpi), ScaleToDpi(appearance.penWidth, dpi));
  const PixelOffset at = PlaceCaption(appearance.labelStyle, width, height, text.cx, text.cy,
                                      appearance.angle, stamps);

  SetTextColor(dc, ColorRef(appearance.shadowColor));
  for (const PixelOffset stamp : stamps) {
    ExtTextOutW(dc, at.x + stamp.x, at.y + stamp.y, 0, nullptr, caption.c_str(), length, nullptr);
  }
  SetTextColor(dc, ColorRef(appearance.foreColor));
  ExtTextOutW(dc, at.x, at.y, 0, nullptr, caption.c_str(), length, nullptr);
}

}  // namespace calmora::win32
