#include "tests/host/fakes/fake_file_system.h"

#include <utility>

namespace calmora::testing {
namespace {

constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kAlreadyExists = 183;
constexpr std::uint32_t kEndOfFile = 38;

std::wstring ParentOf(const std::wstring& path) {
  return path.substr(0, path.rfind(L'\\'));
}

class FakeReader final : public ByteReader {
 public:
  FakeReader(const FakeFileSystem& owner, std::wstring path, std::string content)
      : owner_(owner), path_(std::move(path)), content_(std::move(content)) {
    ++owner_.openReaders;
  }
  std::string ReadAll() override {
    owner_.FailIfAsked("ReadAll", path_);
    if (content_.empty()) ThrowFake(kEndOfFile, path_);
    return std::exchange(content_, {});
  }
  void Close() override {
    owner_.FailIfAsked("Close", path_);
    --owner_.openReaders;
  }

 private:
  const FakeFileSystem& owner_;
  std::wstring path_;
  std::string content_;
};

}  // namespace

void ThrowFake(std::uint32_t number, const std::wstring& path) {
  throw RuntimeError(number, L"fake failure " + std::to_wstring(number), path);
}

void FakeFileSystem::FailIfAsked(const std::string& operation, const std::wstring& path) const {
  if (const auto found = failingOperations.find(operation); found != failingOperations.end()) {
    ThrowFake(found->second, path);
  }
}

bool FakeFileSystem::FolderExists(const std::wstring& path) const {
  return folders.contains(path);
}

bool FakeFileSystem::FileExists(const std::wstring& path) const {
  return files.contains(path);
}

void FakeFileSystem::CreateFolder(const std::wstring& path) {
  FailIfAsked("CreateFolder", path);
  if (folders.contains(path) || files.contains(path)) ThrowFake(kAlreadyExists, path);
  if (!folders.contains(ParentOf(path))) ThrowFake(kPathNotFound, path);
  folders.insert(path);
}

void FakeFileSystem::Copy(const std::wstring& source, const std::wstring& destination) {
  FailIfAsked("Copy", destination);
  const auto found = files.find(source);
  if (found == files.end()) ThrowFake(kFileNotFound, source);
  if (!folders.contains(ParentOf(destination))) ThrowFake(kPathNotFound, destination);
  if (files.contains(destination)) ThrowFake(kAlreadyExists, destination);
  files[destination] = found->second;
}

void FakeFileSystem::Delete(const std::wstring& path) {
  FailIfAsked("Delete", path);
  if (!files.erase(path)) ThrowFake(kFileNotFound, path);
}

std::unique_ptr<ByteReader> FakeFileSystem::OpenForReading(const std::wstring& path) {
  if (const auto found = failingPaths.find(path); found != failingPaths.end()) {
    ThrowFake(found->second, path);
  }
  const auto found = files.find(path);
  if (found == files.end()) ThrowFake(kFileNotFound, path);
  return std::make_unique<FakeReader>(*this, path, found->second);
}

void FakeFileSystem::ReplaceContents(const std::wstring& path, std::string_view bytes) {
  FailIfAsked("ReplaceContents", path);
  if (!folders.contains(ParentOf(path))) ThrowFake(kPathNotFound, path);
  files[path] = std::string(bytes);
  ++writes[path];
}

}  // namespace calmora::testing
