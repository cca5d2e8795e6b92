#include "app/form_window_win32.h"

namespace calmora {

bool DialogFocus::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); focus && IsChild(window, focus)) remembered_ = focus;
      } else if (remembered_) {
        SetFocus(remembered_);
      }
      return true;
    case WM_NEXTDLGCTL: {
      const HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                       : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
      if (next) SetFocus(next);
      return true;
    }
    default:
      return false;
  }
}

void MoveToSuggestedPlace(HWND window, LPARAM suggested) {
  const auto* place = reinterpret_cast<const RECT*>(suggested);
  SetWindowPos(window, nullptr, place->left, place->top, 0, 0,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

}  // namespace calmora
