#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <climits>

#include "platform/win32/bounded_read.h"
#include "platform/win32/file_replacement.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_error.h"

namespace calmora::win32 {
namespace {

DWORD Attributes(const std::wstring& path) {
  return GetFileAttributesW(path.c_str());
}

// A text box counts its characters and their NUL in an int, so it holds at most INT_MAX - 1 of
// them: a file that holds more bytes is not read at all.
constexpr std::size_t kMostBytes = INT_MAX - 1;

class Win32ByteReader final : public ByteReader {
 public:
  Win32ByteReader(UniqueFile file, std::wstring path)
      : file_(std::move(file)), path_(std::move(path)) {}

  std::string ReadAll() override {
    std::string content = ReadAllWithin(file_.get(), kMostBytes, path_);
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

std::unique_ptr<ByteReader> Win32FileSystem::OpenForReading(const std::wstring& path) {
  // Shared for deleting too, so that reading never stands in the way of a save replacing the
  // file, in this process or another.
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) ThrowLastError(path);
  return std::make_unique<Win32ByteReader>(std::move(file), path);
}

void Win32FileSystem::ReplaceContents(const std::wstring& path, std::string_view bytes) {
  ReplaceFileContents(path, bytes);
}

bool Win32FileSystem::CreateEmptyFileIfNone(const std::wstring& path) {
  return win32::CreateEmptyFileIfNone(path);
}

}  // namespace calmora::win32
