#include "packaging/installer/startup_cleanup/win32/win32_machine.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

#include "packaging/installer/startup_cleanup/win32/full_path.h"
#include "packaging/installer/startup_cleanup/win32/win32_shortcut.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_error.h"

namespace calmora::startup_cleanup::win32 {
namespace {

using calmora::win32::SystemErrorText;
using calmora::win32::UniqueRegistryKey;

constexpr wchar_t kProfileList[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

std::wstring Because(DWORD error) {
  return L": error " + std::to_wstring(error) + L", " + SystemErrorText(error);
}

// The value as Windows means it: a REG_EXPAND_SZ such as "%SystemDrive%\Users\Ada" expanded in
// this process's environment, which names the same system folders for every account.
std::optional<std::wstring> ReadProfileFolder(HKEY list, const wchar_t* profile, DWORD& error) {
  DWORD type = 0;
  DWORD size = 0;
  const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  error = static_cast<DWORD>(
      RegGetValueW(list, profile, L"ProfileImagePath", flags, &type, nullptr, &size));
  if (error != ERROR_SUCCESS) return std::nullopt;
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  error = static_cast<DWORD>(
      RegGetValueW(list, profile, L"ProfileImagePath", flags, &type, text.data(), &size));
  if (error != ERROR_SUCCESS) return std::nullopt;
  text.resize(wcsnlen(text.c_str(), text.size()));
  if (type != REG_EXPAND_SZ) return text;

  const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  std::wstring expanded(needed, L'\0');
  if (needed == 0 || ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed) == 0) {
    error = GetLastError();
    return std::nullopt;
  }
  expanded.resize(wcsnlen(expanded.c_str(), expanded.size()));
  return expanded;
}

}  // namespace

std::vector<std::wstring> Win32Machine::ProfileFolders() {
  std::vector<std::wstring> folders;
  UniqueRegistryKey list;
  const LSTATUS opened =
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProfileList, 0, KEY_READ | KEY_WOW64_64KEY, list.put());
  if (opened != ERROR_SUCCESS) {
    log_(L"cannot read ProfileList" + Because(static_cast<DWORD>(opened)));
    return folders;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t profile[256];  // a key's name is at most 255 characters
    DWORD length = static_cast<DWORD>(std::size(profile));
    const LSTATUS status =
        RegEnumKeyExW(list.get(), index, profile, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) {
      log_(L"cannot list ProfileList" + Because(static_cast<DWORD>(status)));
      break;
    }
    DWORD error = ERROR_SUCCESS;
    if (std::optional<std::wstring> folder = ReadProfileFolder(list.get(), profile, error)) {
      folders.push_back(std::move(*folder));
    } else {
      log_(L"skipped profile " + std::wstring(profile) + Because(error));
    }
  }
  return folders;
}

bool Win32Machine::IsFixedDrive(wchar_t letter) {
  const wchar_t root[] = {letter, L':', L'\\', L'\0'};
  return GetDriveTypeW(root) == DRIVE_FIXED;
}

OpenedShortcut Win32Machine::Open(const std::wstring& path) {
  return OpenShortcutFile(path, log_);
}

bool Win32Machine::SamePath(std::wstring_view a, std::wstring_view b) {
  const std::wstring first = FullPath(a);
  const std::wstring second = FullPath(b);
  // File names compare as NTFS compares them: code unit by code unit, in upper case.
  return CompareStringOrdinal(first.c_str(), static_cast<int>(first.size()), second.c_str(),
                              static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace calmora::startup_cleanup::win32
