// Turns the windows' designs, written in twips, into windows and controls at the real DPI.
#pragma once

#include <windows.h>

#include "app/window_design.h"
#include "platform/win32/unique_handle.h"

namespace calmora {

RECT PixelRect(const TwipsRect& rect, UINT dpi);
HMENU ControlMenu(int controlId);
void MoveControl(HWND control, const TwipsRect& rect, UINT dpi);
win32::UniqueFont CreateDesignFont(const FontSpec& font, UINT dpi);

// Gives the window the design's client area at `dpi`, keeping its position.
void SizeClientArea(HWND window, const WindowDesign& design, UINT dpi);
void CentreOnScreen(HWND window);

// Answers WM_NEXTDLGCTL as a dialog does: to the next or previous tab stop, or to a given control.
void MoveDialogFocus(HWND window, WPARAM wParam, LPARAM lParam);

// Loads the icon resource at the sizes the title bar and the task switcher use.
void SetWindowIcons(HWND window, int resourceId, win32::UniqueIcon& big, win32::UniqueIcon& small);

}  // namespace calmora
