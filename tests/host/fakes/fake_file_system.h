// An in-memory file system. Besides what it holds it keeps two outcomes a test may look at: how
// often each file was written (its time stamp, in effect) and how many readers are still open.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/runtime_error.h"

namespace calmora::testing {

class FakeFileSystem final : public FileSystem {
 public:
  std::set<std::wstring> folders;
  std::map<std::wstring, std::string> files;
  // Paths whose opening, and operations by name ("ReadAll", "Close", "Copy", ...), fail with the
  // given error number.
  std::map<std::wstring, std::uint32_t> failingPaths;
  std::map<std::string, std::uint32_t> failingOperations;
  std::map<std::wstring, int> writes;
  mutable int openReaders = 0;

  bool FolderExists(const std::wstring& path) const override;
  bool FileExists(const std::wstring& path) const override;
  void CreateFolder(const std::wstring& path) override;
  void Copy(const std::wstring& source, const std::wstring& destination) override;
  void Delete(const std::wstring& path) override;
  std::unique_ptr<ByteReader> OpenForReading(const std::wstring& path) override;
  void ReplaceContents(const std::wstring& path, std::string_view bytes) override;
  bool CreateEmptyFileIfNone(const std::wstring& path) override {
    return !files.contains(path) && (ReplaceContents(path, {}), true);
  }

  void FailIfAsked(const std::string& operation, const std::wstring& path) const;
};

// Throws the run-time error that the fakes use for "the platform refused".
[[noreturn]] void ThrowFake(std::uint32_t number, const std::wstring& path = {});

}  // namespace calmora::testing
