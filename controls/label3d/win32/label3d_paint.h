// How the 3-D label draws its caption: the font it builds from its appearance, and the caption
// with its shadow copies in the label's rectangle.
#pragma once

#include <windows.h>

#include "controls/label3d/label_appearance.h"
#include "platform/win32/unique_handle.h"

namespace calmora::win32 {

// The label's font at `dpi`, turned by its angle and smoothed; empty when the system has no
// font to give, in which case the caption is drawn in the DC's own font.
UniqueFont CreateLabelFont(const LabelAppearance& appearance, UINT dpi) noexcept;

// Draws the caption and its 3-D effect over whatever `dc` already holds in a `width` x `height`
// label; the background is the caller's.
void PaintLabelCaption(HDC dc, int width, int height, const LabelAppearance& appearance, HFONT font,
                       UINT dpi) noexcept;

}  // namespace calmora::win32
