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

// The program's two icons from its resources, `size` pixels square.
win32::UniqueIcon LoadApplicationIcon(int size);
win32::UniqueIcon LoadOptionsIcon(int size);

// Gives the window its icon at the sizes the title bar and the task switcher use; the window
// shows the icons for as long as `big` and `small` hold them.
using IconLoader = win32::UniqueIcon (*)(int size);
void SetWindowIcons(HWND window, IconLoader load, win32::UniqueIcon& big, win32::UniqueIcon& small);

}  // namespace calmora
