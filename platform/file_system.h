// Files and folders. Every failure is a RuntimeError carrying the system's error number.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace calmora {

// A file opened for reading its bytes.
class ByteReader {
 public:
  virtual ~ByteReader() = default;
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
  virtual std::unique_ptr<ByteReader> OpenForReading(const std::wstring& path) = 0;
  // Replaces the file's whole content in one step: at every instant the path holds the old bytes
  // whole or the new bytes whole, so neither a failed nor a killed save loses what was there.
  // The file keeps its security descriptor and attributes, is marked for backup (archive), and
  // what earlier saves that were killed left beside it is cleared.
  virtual void ReplaceContents(const std::wstring& path, std::string_view bytes) = 0;
  // Makes an empty file only where there is no file at that instant, in one step, so that a file
  // that another program writes at the same time is never replaced: false, with the file left as
  // it is, when one is there.
  virtual bool CreateEmptyFileIfNone(const std::wstring& path) = 0;
};

}  // namespace calmora
