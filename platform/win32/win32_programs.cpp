#include "platform/win32/win32_programs.h"

#include <windows.h>

#include <tlhelp32.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_error.h"

namespace calmora::win32 {
namespace {

bool SameName(std::wstring_view left, std::wstring_view right) {
  return CompareStringOrdinal(left.data(), static_cast<int>(left.size()), right.data(),
                              static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

std::wstring ImagePath(DWORD processId) {
  // Limited information is what a user may ask of any process of the session, an elevated one
  // included.
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return {};
  std::wstring path(32768, L'\0');
  DWORD length = static_cast<DWORD>(path.size());
  if (!QueryFullProcessImageNameW(process.get(), 0, path.data(), &length)) return {};
  path.resize(length);
  return path;
}

DWORD SessionOf(DWORD processId) {
  DWORD session = 0;
  // A process that ended meanwhile is in no session at all.
  return ProcessIdToSessionId(processId, &session) ? session : MAXDWORD;
}

}  // namespace

bool Win32Programs::RunsInThisSession(const std::wstring& path) const {
  const DWORD ownSession = SessionOf(GetCurrentProcessId());
  const std::wstring_view fileName = std::wstring_view(path).substr(path.find_last_of(L'\\') + 1);
  const UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) ThrowLastError();
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    // The name alone picks the few processes worth opening; the full path decides.
    if (!SameName(entry.szExeFile, fileName)) continue;
    if (SessionOf(entry.th32ProcessID) != ownSession) continue;
    if (SameName(ImagePath(entry.th32ProcessID), path)) return true;
  }
  return false;
}

bool Win32Programs::Start(const std::wstring& path, const std::wstring& workingFolder) {
  // The path goes as the application's name, so no part of it is ever searched for, and quoted
  // as the command line's first word, which is all the command line holds.
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  // Nothing is inherited, and the program gets the system's error mode, not the caller's.
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_DEFAULT_ERROR_MODE, nullptr, workingFolder.c_str(), &startup,
                      &started)) {
    return false;
  }
  // Never waited for: the handles go at once.
  const UniqueHandle process(started.hProcess);
  const UniqueHandle thread(started.hThread);
  return true;
}

}  // namespace calmora::win32
