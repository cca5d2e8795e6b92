// A single-byte code page in which every byte is the character of the same number, so tests can
// see exactly which bytes a text becomes. Like a real code page it has a look-alike for a
// character it cannot hold ("Ł" becomes "L") and a default character ("?") for the rest.
#pragma once

#include "platform/ansi_code_page.h"

namespace calmora::testing {

class Latin1CodePage final : public AnsiCodePage {
 public:
  std::string Encode(std::wstring_view text) const override {
    std::string bytes;
    for (const wchar_t c : text)
      bytes += c < 0x100 ? static_cast<char>(c) : c == L'\x141' ? 'L' : '?';
    return bytes;
  }
  std::optional<std::string> EncodeExactly(std::wstring_view text) const override {
    for (const wchar_t c : text) {
      if (c >= 0x100) return std::nullopt;
    }
    return Encode(text);
  }
  std::wstring Decode(std::string_view bytes) const override {
    std::wstring text;
    for (const char b : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(b));
    return text;
  }
};

}  // namespace calmora::testing
