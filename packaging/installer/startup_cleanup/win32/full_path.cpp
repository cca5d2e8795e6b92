#include "packaging/installer/startup_cleanup/win32/full_path.h"

#include <windows.h>

namespace calmora::startup_cleanup::win32 {

std::wstring FullPath(std::wstring_view path) {
  std::wstring text(path);
  std::wstring full(MAX_PATH, L'\0');
  DWORD length =
      GetFullPathNameW(text.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameW(text.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (length == 0 || length >= full.size()) return text;
  full.resize(length);
  return full;
}

}  // namespace calmora::startup_cleanup::win32
