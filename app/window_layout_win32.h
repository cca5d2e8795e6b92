// Turns the windows' designs, written in twips, into windows and controls at the real DPI.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "app/window_design.h"
#include "platform/win32/unique_handle.h"

namespace calmora {

RECT PixelRect(const TwipsRect& rect, UINT dpi);
HMENU ControlMenu(int controlId);
void MoveControl(HWND control, const TwipsRect& rect, UINT dpi);
win32::UniqueFont CreateDesignFont(const FontSpec& font, UINT dpi);
// Hands `font` to the controls, and only then lets go of the font that `held` held: a control
// never holds a deleted font, not even for a moment.
void SetControlsFont(std::initializer_list<HWND> controls, win32::UniqueFont font,
                     win32::UniqueFont& held);

// Gives the window the design's client area at `dpi`, keeping its position.
void SizeClientArea(HWND window, const WindowDesign& design, UINT dpi);
void CentreOnScreen(HWND window);

// The program's two icons from its resources, `size` pixels square.
win32::UniqueIcon LoadApplicationIcon(int size);
win32::UniqueIcon LoadOptionsIcon(int size);

// Gives the window its icon at the sizes the title bar and the task switcher use at `dpi`; the
// window shows the icons for as long as `big` and `small` hold them. As with fonts, the old icons
// go only once the window has the new ones.
using IconLoader = win32::UniqueIcon (*)(int size);
void SetWindowIcons(HWND window, IconLoader load, UINT dpi, win32::UniqueIcon& big,
                    win32::UniqueIcon& small);

}  // namespace calmora
