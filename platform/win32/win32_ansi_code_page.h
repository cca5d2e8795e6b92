// The system's ANSI code page (CP_ACP), through the system's own conversion tables.
#pragma once

#include "platform/ansi_code_page.h"

namespace calmora::win32 {

class Win32AnsiCodePage final : public AnsiCodePage {
 public:
  std::string Encode(std::wstring_view text) const override;
  std::optional<std::string> EncodeExactly(std::wstring_view text) const override;
  std::size_t DecodeInto(std::string_view bytes, std::span<wchar_t> text) const override;
};

}  // namespace calmora::win32
