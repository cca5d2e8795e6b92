// Files and folders. Every failure is a RuntimeError carrying the system's error number.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace calmora {

// A file opened for reading its bytes as single-byte text.
class TextReader {
 public:
  virtual ~TextReader() = default;
  // The whole remaining content. Reading past the end, as on an empty file, is a failure.
  virtual std::string ReadAll() = 0;
  virtual void Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool FolderExists(const std::wstring& path) const = 0;
  virtual bool FileExists(const std::wstring& path) const = 0;
  // Makes one folder; its parent must exist.
  virtual void CreateFolder(const std::wstring& path) = 0;
  virtual void Copy(const std::wstring& source, const std::wstring& destination) = 0;
  virtual void Delete(const std::wstring& path) = 0;
  virtual std::unique_ptr<TextReader> OpenForReading(const std::wstring& path) = 0;
  // Replaces the file's whole content in one step: until the new bytes are safely on disk the
  // old file stays whole, so a failed save never loses what was there.
  virtual void ReplaceContents(const std::wstring& path, std::string_view bytes) = 0;
};

}  // namespace calmora
