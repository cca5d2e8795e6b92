// Fonts added to this process through gdi32, for as long as it runs.
#pragma once

#include "platform/font_table.h"

namespace calmora::win32 {

class Win32FontTable final : public FontTable {
 public:
  bool AddPrivateFont(const std::wstring& path) override;
};

}  // namespace calmora::win32
