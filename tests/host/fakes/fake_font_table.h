// The process's fonts: the font files added to it, when they lie in a FakeFileSystem.
#pragma once

#include <set>
#include <string>

#include "platform/font_table.h"
#include "tests/host/fakes/fake_file_system.h"

namespace calmora::testing {

class FakeFontTable final : public FontTable {
 public:
  explicit FakeFontTable(const FakeFileSystem& files) : files_(files) {}

  std::set<std::wstring> added;

  bool AddPrivateFont(const std::wstring& path) override {
    if (!files_.files.contains(path)) return false;
    added.insert(path);
    return true;
  }

 private:
  const FakeFileSystem& files_;
};

}  // namespace calmora::testing
