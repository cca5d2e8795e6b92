#include "platform/win32/win32_program_location.h"

#include <windows.h>

#include "platform/win32/win32_error.h"

namespace calmora::win32 {

std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) ThrowLastError();
    // A full buffer means the path was cut short; long paths need a larger one.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring Win32ProgramLocation::OwnFolder() const {
  std::wstring path = ExecutablePath();
  path.resize(path.find_last_of(L"\\/"));
  return path;
}

std::wstring Win32ProgramLocation::OwnFileName() const {
  const std::wstring path = ExecutablePath();
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.resize(dot);
  return name;
}

}  // namespace calmora::win32
