#include "platform/win32/win32_environment.h"

#include <windows.h>

namespace calmora::win32 {

std::wstring Win32Environment::Read(std::wstring_view name) const {
  const std::wstring key(name);
  std::wstring value(64, L'\0');
  for (;;) {
    const DWORD needed =
        GetEnvironmentVariableW(key.c_str(), value.data(), static_cast<DWORD>(value.size()));
    // Not set reads as empty text, exactly like a variable set to nothing.
    if (needed == 0) return {};
    if (needed < value.size()) {
      value.resize(needed);
      return value;
    }
    value.resize(needed);  // `needed` counts the terminating NUL when the buffer was too small
  }
}

}  // namespace calmora::win32
