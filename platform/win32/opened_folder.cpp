#include "platform/win32/opened_folder.h"

#include <winternl.h>

#include <algorithm>
#include <cstdint>

#include "platform/win32/win32_error.h"

namespace calmora::win32 {
namespace {

constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Enough to list the folder and to open, make and rename files in it.
constexpr ACCESS_MASK kFolderAccess =
    FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
// Why a folder is refused. Nothing was written, and the report names the folder.
constexpr DWORD kRefused = ERROR_CANT_ACCESS_FILE;
// The rename that takes flags (Windows 10 1709 and later). MinGW's FILE_INFORMATION_CLASS ends
// before it, and the compiler refuses 65 as one: NtSetInformationFile is looked up under a type
// of our own that takes the class as the number it is.
constexpr ULONG kFileRenameInformationEx = 65;
using SetInformationFile = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, ULONG);

// A path as GetFinalPathNameByHandleW gives it, without its "\\?\" ("\\?\UNC\" for a share).
std::wstring WithoutLongPrefix(std::wstring path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + path.substr(8);
  if (path.starts_with(L"\\\\?\\")) return path.substr(4);
  return path;
}

// What one of the system's path functions gives; empty when it fails. Each says how much room it
// needs when the buffer is too small, and how much it wrote otherwise.
template <typename PathCall>
std::wstring PathText(PathCall call) {
  std::wstring text(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = call(text.data(), static_cast<DWORD>(text.size()));
    if (length == 0) return {};
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(length);
  }
}

std::wstring FinalPathOf(HANDLE file) {
  return WithoutLongPrefix(PathText([file](wchar_t* buffer, DWORD size) {
    return GetFinalPathNameByHandleW(file, buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }));
}

// What the final path of `path` is when nothing on it leads elsewhere: full, with long names for
// short ones (GetLongPathNameW only reads names; it follows nothing that the check could miss).
std::wstring ExpectedFinalPath(const std::wstring& path) {
  const std::wstring full = PathText([&path](wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(path.c_str(), size, buffer, nullptr);
  });
  std::wstring expected = PathText([&full](wchar_t* buffer, DWORD size) {
    return GetLongPathNameW(full.c_str(), buffer, size);
  });
  if (expected.empty()) expected = full;
  expected = WithoutLongPrefix(std::move(expected));
  if (expected.size() > 3 && expected.ends_with(L'\\')) expected.pop_back();
  return expected;
}

// As Windows compares names: ordinally, ignoring case.
bool SamePath(const std::wstring& first, const std::wstring& second) {
  return !first.empty() &&
         CompareStringOrdinal(first.c_str(), static_cast<int>(first.size()), second.c_str(),
                              static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

// `name` within `folder`, which may be a drive's root and end with its backslash.
std::wstring Within(const std::wstring& folder, std::wstring_view name) {
  return folder + (folder.ends_with(L'\\') ? L"" : L"\\") + std::wstring(name);
}

UNICODE_STRING CountedName(std::wstring_view name) {
  UNICODE_STRING text{};
  text.Buffer = const_cast<PWSTR>(name.data());
  text.Length = text.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  return text;
}

}  // namespace

OpenedFolder::OpenedFolder(std::wstring path) : path_(std::move(path)) {
  // The folder itself, not where it points when it is a link.
  folder_.reset(CreateFileW(path_.c_str(), kFolderAccess, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!folder_) {
    const DWORD error = GetLastError();
    ThrowError(error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error, path_);
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(folder_.get(), &info)) ThrowLastError(path_);
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ThrowError(ERROR_PATH_NOT_FOUND, path_);
  if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ThrowError(kRefused, path_);
  finalPath_ = FinalPathOf(folder_.get());
  if (!SamePath(finalPath_, ExpectedFinalPath(path_))) ThrowError(kRefused, path_);
}

std::wstring OpenedFolder::PathOf(std::wstring_view name) const {
  return Within(path_, name);
}

UniqueFile OpenedFolder::Open(std::wstring_view name, const FileOpening& how, DWORD& error) const {
  UNICODE_STRING text = CountedName(name);
  OBJECT_ATTRIBUTES attributes{};
  InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, folder_.get(), how.security);
  IO_STATUS_BLOCK status{};
  UniqueFile file;
  const NTSTATUS result = NtCreateFile(
      file.put(), how.access | SYNCHRONIZE, &attributes, &status, nullptr, how.attributes,
      how.share, how.disposition,
      FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  error = ERROR_SUCCESS;
  if (result < 0) {
    file.release();  // NtCreateFile leaves no handle behind on failure
    error = RtlNtStatusToDosError(result);
  }
  return file;
}

bool OpenedFolder::Holds(HANDLE file, std::wstring_view name) const {
  return SamePath(FinalPathOf(file), Within(finalPath_, name));
}

std::vector<std::wstring> OpenedFolder::FileNames() const {
  std::vector<std::wstring> names;
  // Entries are aligned to eight bytes within the buffer.
  std::vector<std::uint64_t> buffer(8 * 1024);
  const auto bytes = static_cast<DWORD>(buffer.size() * sizeof buffer[0]);
  while (GetFileInformationByHandleEx(folder_.get(), FileFullDirectoryInfo, buffer.data(), bytes)) {
    auto* entry = reinterpret_cast<const BYTE*>(buffer.data());
    for (;;) {
      const auto* info = reinterpret_cast<const FILE_FULL_DIR_INFO*>(entry);
      if (!(info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        names.emplace_back(info->FileName, info->FileNameLength / sizeof(wchar_t));
      }
      if (info->NextEntryOffset == 0) break;
      entry += info->NextEntryOffset;
    }
  }
  return names;
}

DWORD OpenedFolder::MoveHere(HANDLE file, std::wstring_view name, ULONG flags) const {
  std::vector<std::uint64_t> buffer(
      (sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t)) / sizeof(std::uint64_t) + 1);
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  if (flags == 0) {
    rename->ReplaceIfExists = TRUE;
  } else {
    rename->Flags = flags;
  }
  // The new name is looked up in this folder alone: no link on the folder's path, nor an
  // object-manager link, can send it elsewhere.
  rename->RootDirectory = folder_.get();
  rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
  std::copy(name.begin(), name.end(), rename->FileName);
  const auto setInformation = reinterpret_cast<SetInformationFile>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetInformationFile")));
  IO_STATUS_BLOCK status{};
  const NTSTATUS result =
      setInformation(file, &status, rename, static_cast<ULONG>(buffer.size() * sizeof buffer[0]),
                     flags == 0 ? ULONG{FileRenameInformation} : kFileRenameInformationEx);
  return result < 0 ? RtlNtStatusToDosError(result) : ERROR_SUCCESS;
}

FolderAndName SplitPath(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {L".", path};
  // A drive's root keeps its backslash: "C:" alone is the drive's current folder.
  const bool root = slash == 2 && path[1] == L':';
  return {path.substr(0, root ? 3 : slash), path.substr(slash + 1)};
}

}  // namespace calmora::win32
