// The process's fonts: the font files added to it.
#pragma once

#include <set>
#include <string>

#include "platform/font_table.h"

namespace calmora::testing {

class FakeFontTable final : public FontTable {
 public:
  std::set<std::wstring> added;
  bool AddPrivateFont(const std::wstring& path) override { return added.insert(path), true; }
};

}  // namespace calmora::testing
