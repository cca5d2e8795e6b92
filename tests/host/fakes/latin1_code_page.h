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
    bytes.reserve(text.size());
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
  std::size_t DecodeInto(std::string_view bytes, std::span<wchar_t> text) const override {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
    }
    return bytes.size();
  }
};

}  // namespace calmora::testing
