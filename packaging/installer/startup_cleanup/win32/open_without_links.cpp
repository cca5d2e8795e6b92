#include "packaging/installer/startup_cleanup/win32/open_without_links.h"

#include <winternl.h>

#include <string_view>

#include "packaging/installer/startup_cleanup/win32/full_path.h"

namespace calmora::startup_cleanup::win32 {
namespace {

using calmora::win32::UniqueFile;

// Not in every SDK's winternl.h.
#ifndef FILE_NON_DIRECTORY_FILE
#define FILE_NON_DIRECTORY_FILE 0x00000040
#endif
#ifndef FILE_COMPLETE_IF_OPLOCKED
#define FILE_COMPLETE_IF_OPLOCKED 0x00000100
#endif
// A success: the file is open, but another program has yet to give up its oplock.
constexpr NTSTATUS kOplockBreakInProgress = 0x00000108;

constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Enough to open what lies in a folder, and to read whether the folder is a link.
constexpr ACCESS_MASK kFolderAccess = FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;

// A folder opened as `path` that is a link, or is really somewhere else.
bool IsLink(const UniqueFile& folder, const std::wstring& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  // Unknown counts as a link: nothing beyond it is opened then.
  if (!GetFileInformationByHandle(folder.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return true;
  }
  const std::wstring final = FinalPath(folder.get());
  return CompareStringOrdinal(final.c_str(), static_cast<int>(final.size()), path.c_str(),
                              static_cast<int>(path.size()), TRUE) != CSTR_EQUAL;
}

// `name` in the folder open as `folder`, the link itself when it is one. An open that an oplock
// would hold completes at once, and is let go: SYSTEM never waits on what a user holds open.
UniqueFile OpenIn(const UniqueFile& folder, std::wstring_view name, ACCESS_MASK access, ULONG share,
                  ULONG options, DWORD& error, bool& oplocked) {
  UNICODE_STRING text{};
  text.Buffer = const_cast<PWSTR>(name.data());
  text.Length = text.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  OBJECT_ATTRIBUTES attributes{};
  InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, folder.get(), nullptr);
  IO_STATUS_BLOCK status{};
  UniqueFile file;
  const NTSTATUS result = NtCreateFile(
      file.put(), access, &attributes, &status, nullptr, 0, share, FILE_OPEN,
      options | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT | FILE_COMPLETE_IF_OPLOCKED,
      nullptr, 0);
  if (result < 0) {
    file.release();  // NtCreateFile leaves no handle behind on failure
    error = RtlNtStatusToDosError(result);
  } else if (result == kOplockBreakInProgress) {
    file.reset();
    oplocked = true;
  }
  return file;
}

}  // namespace

OpenedWithoutLinks OpenWithoutFollowingLinks(const std::wstring& path, ACCESS_MASK access,
                                             ULONG share) {
  OpenedWithoutLinks opened;
  const std::wstring full = FullPath(path);
  if (full.size() < 4 || full[1] != L':' || full[2] != L'\\') {
    opened.error = ERROR_BAD_PATHNAME;
    return opened;
  }

  // The drive's root is the system's, not a user's: it is the one name opened as a path.
  const std::wstring root = L"\\\\?\\" + full.substr(0, 3);
  UniqueFile folder(CreateFileW(root.c_str(), kFolderAccess, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!folder) {
    opened.error = GetLastError();
    return opened;
  }
  std::size_t start = 3;
  while (start < full.size()) {
    std::size_t end = full.find(L'\\', start);
    if (end == std::wstring::npos) end = full.size();
    const std::wstring_view name = std::wstring_view(full).substr(start, end - start);
    const bool last = end == full.size();
    if (last) {
      opened.file = OpenIn(folder, name, access, share, FILE_NON_DIRECTORY_FILE, opened.error,
                           opened.oplocked);
      return opened;
    }
    if (!name.empty()) {
      UniqueFile next = OpenIn(folder, name, kFolderAccess, kShareAll, FILE_DIRECTORY_FILE,
                               opened.error, opened.oplocked);
      if (!next) return opened;
      if (std::wstring here = full.substr(0, end); IsLink(next, here)) {
        opened.link = std::move(here);
        return opened;
      }
      folder = std::move(next);
    }
    start = end + 1;
  }
  // The path names a folder, not a file.
  opened.error = ERROR_PATH_NOT_FOUND;
  return opened;
}

}  // namespace calmora::startup_cleanup::win32
