#include "tests/support/folder_link.h"

#include <windows.h>

#include <string>
#include <vector>

namespace calmora::testing {
namespace {

bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Wine's own conversions between its paths and the host's.
using ToUnix = char*(__cdecl*)(const wchar_t*);
using ToWindows = wchar_t*(__cdecl*)(const char*);

std::string UnixPath(const std::wstring& path) {
  const auto convert = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* unix = convert ? convert(path.c_str()) : nullptr;
  const std::string converted = unix ? unix : "";
  HeapFree(GetProcessHeap(), 0, unix);
  return converted;
}

// Starts a host program, such as /bin/ln, with `arguments`: Wine starts a program that is not a
// Windows one as a host process. Wine tells neither when it ends nor how, so the caller waits for
// what it does.
void StartHostProgram(const char* program, const std::vector<std::string>& arguments) {
  const auto convert = reinterpret_cast<ToWindows>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  wchar_t* windowsName = convert ? convert(program) : nullptr;
  if (!windowsName) return;
  const std::wstring application = windowsName;
  HeapFree(GetProcessHeap(), 0, windowsName);
  std::wstring commandLine = L"\"" + application + L"\"";
  for (const std::string& argument : arguments) {
    commandLine += L" \"" + std::wstring(argument.begin(), argument.end()) + L"\"";
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // Wine gives no handles to a host process: what it leaves in `process` may name a handle of
  // this process, such as its output, and is never closed.
  CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                 nullptr, &startup, &process);
}

// Waits up to five seconds for `done`.
template <typename Condition>
bool WaitFor(Condition done) {
  for (int tries = 0; tries < 100; ++tries) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

std::wstring FinalPath(const std::wstring& path) {
  const HANDLE folder = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return {};
  wchar_t resolved[MAX_PATH] = {};
  const DWORD length = GetFinalPathNameByHandleW(folder, resolved, MAX_PATH, VOLUME_NAME_DOS);
  CloseHandle(folder);
  // Without its "\\?\".
  return length > 4 && length < MAX_PATH ? std::wstring(resolved + 4) : std::wstring();
}

// Under Wine, a Unix link made by the host's ln; there when `made` says so.
template <typename Condition>
bool MakeUnixLink(const std::wstring& link, const std::wstring& target, Condition made) {
  // The link's own folder is converted, not the link, which is not there yet.
  const auto slash = link.find_last_of(L'\\');
  const std::string folder = UnixPath(link.substr(0, slash));
  const std::string name(link.begin() + static_cast<std::ptrdiff_t>(slash) + 1, link.end());
  if (folder.empty()) return false;
  StartHostProgram("/bin/ln", {"-s", UnixPath(target), folder + "/" + name});
  return WaitFor(made);
}

}  // namespace

bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
  if (UnderWine()) return MakeUnixLink(link, target, [&] { return IsFolderLink(link); });
  return CreateSymbolicLinkW(
             link.c_str(), target.c_str(),
             SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != FALSE;
}

bool MakeFileLink(const std::wstring& link, const std::wstring& target) {
  if (UnderWine()) {
    return MakeUnixLink(
        link, target, [&] { return GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES; });
  }
  return CreateSymbolicLinkW(link.c_str(), target.c_str(),
                             SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != FALSE;
}

// A link leads elsewhere: what it opens has another final path than its own. That holds for
// Windows' links and for Unix links under Wine alike.
bool IsFolderLink(const std::wstring& link) {
  const std::wstring resolved = FinalPath(link);
  wchar_t own[MAX_PATH] = {};  // with long names for short ones, as the final path has them
  if (resolved.empty() || !GetLongPathNameW(link.c_str(), own, MAX_PATH)) return false;
  return CompareStringOrdinal(resolved.c_str(), -1, own, -1, TRUE) != CSTR_EQUAL;
}

void RemoveFolderLink(const std::wstring& link) {
  if (!UnderWine()) {
    RemoveDirectoryW(link.c_str());
    return;
  }
  StartHostProgram("/bin/rm", {UnixPath(link)});
  WaitFor([&] { return GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

}  // namespace calmora::testing
