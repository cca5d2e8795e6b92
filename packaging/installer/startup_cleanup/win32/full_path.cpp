#include "packaging/installer/startup_cleanup/win32/full_path.h"

#include "platform/win32/win32_error.h"

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

std::wstring FinalPath(HANDLE file) {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  DWORD length =
      GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), flags);
  if (length >= path.size()) {
    path.resize(length);
    length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), flags);
  }
  if (length == 0 || length >= path.size()) {
    const DWORD error = GetLastError();
    return L"(unknown: error " + std::to_wstring(error) + L", " +
           calmora::win32::SystemErrorText(error) + L")";
  }
  path.resize(length);
  // "\\?\C:\..." names a drive's file as "C:\..." does; "\\?\UNC\..." stays, and names a share.
  constexpr std::wstring_view kPrefix = L"\\\\?\\";
  if (path.starts_with(kPrefix) && path.size() > 6 && path[5] == L':') path.erase(0, 4);
  return path;
}

}  // namespace calmora::startup_cleanup::win32
