#include "platform/win32/win32_font_table.h"

#include <windows.h>

namespace calmora::win32 {

bool Win32FontTable::AddPrivateFont(const std::wstring& path) {
  // FR_PRIVATE: no other process sees the font and none is told; the system takes it away again
  // when the process ends.
  return AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr) > 0;
}

}  // namespace calmora::win32
