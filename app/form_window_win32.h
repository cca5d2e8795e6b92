// What the two windows share as Win32 windows: a class whose windows hand their messages to the
// form object behind them, and the answers that make a plain window behave like a dialog.
#pragma once

#include <windows.h>

#include "platform/win32/win32_error.h"

namespace calmora {

// Passes every message to `form->HandleMessage`; the form arrives with WM_NCCREATE as the
// window's creation parameter.
template <typename Form>
LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return form ? form->HandleMessage(window, message, wParam, lParam)
              : DefWindowProcW(window, message, wParam, lParam);
}

// Registers the class once per process.
template <typename Form>
void RegisterFormClass(const wchar_t* className, HBRUSH background) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = FormWindowProc<Form>;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    win32::ThrowLastError();
  }
}

// The keyboard focus as a dialog keeps it: it comes back to the control that had it when the
// window is activated again, and WM_NEXTDLGCTL (how a multi-line edit control passes Tab on)
// moves it to the next or previous tab stop.
class DialogFocus {
 public:
  void Remember(HWND control) { remembered_ = control; }
  // True when the message was one of those it answers.
  bool Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  HWND remembered_ = nullptr;
};

// After a DPI change, moves the window to where the system suggests.
void MoveToSuggestedPlace(HWND window, LPARAM suggested);

}  // namespace calmora
