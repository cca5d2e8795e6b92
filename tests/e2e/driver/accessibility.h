// What a screen reader reads of a control in another process: the accessible object the system
// gives for its window, as AccessibleObjectFromWindow returns it.
#pragma once

#include <windows.h>

#include <string>

namespace calmora::e2e {

struct AccessibleReading {
  std::wstring name;
  long role = 0;  // a ROLE_SYSTEM_ constant
  std::wstring defaultAction;
};

AccessibleReading ReadAccessible(HWND control);
// Performs the control's default action, as a screen reader does on the user's command.
HRESULT DoDefaultAction(HWND control);

}  // namespace calmora::e2e
