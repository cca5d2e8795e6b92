#include "app/window_layout_win32.h"

#include <cwchar>

#include "packaging/resource_ids.h"
#include "platform/win32/ico_resource.h"

namespace calmora {

RECT PixelRect(const TwipsRect& rect, UINT dpi) {
  const PixelBounds pixels = ToPixels(rect, static_cast<int>(dpi));
  return RECT{pixels.left, pixels.top, pixels.right, pixels.bottom};
}

HMENU ControlMenu(int controlId) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId));
}

void MoveControl(HWND control, const TwipsRect& rect, UINT dpi) {
  const RECT pixels = PixelRect(rect, dpi);
  SetWindowPos(control, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
               pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

win32::UniqueFont CreateDesignFont(const FontSpec& font, UINT dpi) {
  LOGFONTW description{};
  description.lfHeight = -FontPixelHeight(font, static_cast<int>(dpi));
  description.lfWeight = font.weight;
  description.lfItalic = font.italic;
  description.lfCharSet = font.charset;
  description.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(description.lfFaceName, font.face.data(), LF_FACESIZE - 1);
  return win32::UniqueFont(CreateFontIndirectW(&description));
}

void SetControlsFont(std::initializer_list<HWND> controls, win32::UniqueFont font,
                     win32::UniqueFont& held) {
  for (const HWND control : controls) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  held = std::move(font);
}

void SizeClientArea(HWND window, const WindowDesign& design, UINT dpi) {
  const int scale = static_cast<int>(dpi);
  RECT frame{0, 0, TwipsToPixels(design.clientWidth, scale),
             TwipsToPixels(design.clientHeight, scale)};
  AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOnScreen(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT frame{};
  GetWindowRect(window, &frame);
  const RECT& work = monitor.rcWork;
  const int left = work.left + ((work.right - work.left) - (frame.right - frame.left)) / 2;
  const int top = work.top + ((work.bottom - work.top) - (frame.bottom - frame.top)) / 2;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

win32::UniqueIcon LoadApplicationIcon(int size) {
  return win32::UniqueIcon(static_cast<HICON>(LoadImageW(
      GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CALMORA), IMAGE_ICON, size, size, 0)));
}

win32::UniqueIcon LoadOptionsIcon(int size) {
  return win32::LoadIcoResource(GetModuleHandleW(nullptr), IDR_OPTIONS_ICON, size);
}

void SetWindowIcons(HWND window, IconLoader load, UINT dpi, win32::UniqueIcon& big,
                    win32::UniqueIcon& small) {
  win32::UniqueIcon newBig = load(GetSystemMetricsForDpi(SM_CXICON, dpi));
  win32::UniqueIcon newSmall = load(GetSystemMetricsForDpi(SM_CXSMICON, dpi));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newBig.get()));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmall.get()));
  big = std::move(newBig);
  small = std::move(newSmall);
}

}  // namespace calmora
