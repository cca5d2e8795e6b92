// A shell whose Startup folder is a path of a FakeFileSystem: a saved shortcut becomes a file
// there, so the program's existence test and its removal see it like any other file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "tests/common/shortcut_properties_printer.h"
#include "tests/host/fakes/fake_file_system.h"

namespace calmora::testing {

class FakeShell final : public Shell {
 public:
  struct SavedShortcut {
    std::wstring linkPath;
    ShortcutProperties properties;
  };

  explicit FakeShell(FakeFileSystem& files) : files_(files) {}

  std::wstring startupFolder = L"C:\\Users\\Ada\\Start Menu\\Programs\\Startup";
  // Every shortcut saved, in order.
  std::vector<SavedShortcut> saved;
  // When set, saving fails with this error number and writes nothing.
  std::optional<std::uint32_t> saveFailure;

  std::wstring StartupFolder() const override { return startupFolder; }
  std::wstring EnsureStartupFolder() override {
    files_.folders.insert(startupFolder);
    return startupFolder;
  }

  void SaveShortcut(const std::wstring& linkPath, const ShortcutProperties& properties) override {
    if (saveFailure) ThrowFake(*saveFailure, linkPath);
    if (!files_.folders.contains(linkPath.substr(0, linkPath.rfind(L'\\')))) {
      ThrowFake(3, linkPath);  // the path was not found
    }
    files_.files[linkPath] = "shortcut";
    saved.push_back({linkPath, properties});
  }

 private:
  FakeFileSystem& files_;
};

}  // namespace calmora::testing
