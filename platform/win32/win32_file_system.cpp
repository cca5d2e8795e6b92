#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_error.h"

namespace calmora::win32 {
namespace {

DWORD Attributes(const std::wstring& path) {
  return GetFileAttributesW(path.c_str());
}

class Win32TextReader final : public TextReader {
 public:
  Win32TextReader(UniqueFile file, std::wstring path)
      : file_(std::move(file)), path_(std::move(path)) {}

  std::string ReadAll() override {
    std::string content;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file_.get(), &size) && size.QuadPart > 0) {
      content.reserve(static_cast<size_t>(size.QuadPart));
    }
    char chunk[64 * 1024];
    for (;;) {
      DWORD read = 0;
      if (!ReadFile(file_.get(), chunk, sizeof chunk, &read, nullptr)) ThrowLastError(path_);
      if (read == 0) break;
      content.append(chunk, read);
    }
    // Like reading a text stream that is already at its end, reading an empty file fails.
    if (content.empty()) ThrowError(ERROR_HANDLE_EOF, path_);
    return content;
  }

  void Close() override {
    if (!CloseHandle(file_.release())) ThrowLastError(path_);
  }

 private:
  UniqueFile file_;
  std::wstring path_;
};

// A name beside the target that no other save of this or another process is using.
std::wstring TemporarySibling(const std::wstring& path) {
  return path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(GetTickCount64()) + L".saving";
}

void WriteAll(HANDLE file, std::string_view bytes, const std::wstring& path) {
  while (!bytes.empty()) {
    const DWORD asked = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), asked, &written, nullptr)) ThrowLastError(path);
    // A short write (a full disk, a quota) is a failed save, not a shorter message.
    if (written != asked) ThrowError(ERROR_HANDLE_DISK_FULL, path);
    bytes.remove_prefix(written);
  }
}

}  // namespace

bool Win32FileSystem::FolderExists(const std::wstring& path) const {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::FileExists(const std::wstring& path) const {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32FileSystem::CreateFolder(const std::wstring& path) {
  if (!CreateDirectoryW(path.c_str(), nullptr)) ThrowLastError(path);
}

void Win32FileSystem::Copy(const std::wstring& source, const std::wstring& destination) {
  // The copy is only ever made where nothing is yet; an existing file is never replaced.
  if (!CopyFileW(source.c_str(), destination.c_str(), TRUE)) ThrowLastError(destination);
}

void Win32FileSystem::Delete(const std::wstring& path) {
  if (!DeleteFileW(path.c_str())) ThrowLastError(path);
}

std::unique_ptr<TextReader> Win32FileSystem::OpenForReading(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) ThrowLastError(path);
  return std::make_unique<Win32TextReader>(std::move(file), path);
}

void Win32FileSystem::ReplaceContents(const std::wstring& path, std::string_view bytes) {
  const std::wstring temporary = TemporarySibling(path);
  UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  // The folder is not made here: when it has gone, the save fails and nothing is created.
  if (!file) ThrowLastError(path);
  try {
    WriteAll(file.get(), bytes, path);
    if (!FlushFileBuffers(file.get())) ThrowLastError(path);
    if (!CloseHandle(file.release())) ThrowLastError(path);
    // ReplaceFileW keeps the existing file's security settings and attributes; a first save has
    // none to keep.
    const bool replaced = FileExists(path)
                              ? ReplaceFileW(path.c_str(), temporary.c_str(), nullptr,
                                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                              : MoveFileExW(temporary.c_str(), path.c_str(),
                                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) ThrowLastError(path);
  } catch (...) {
    file.reset();
    DeleteFileW(temporary.c_str());
    throw;
  }
}

}  // namespace calmora::win32
