// Converts between the UI's UTF-16 text and text in the system's ANSI code page, which is how
// the registry stores text and how the message file has always stored it.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace calmora {

class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // Characters the code page cannot hold become a look-alike or its default character, as
  // Windows converts text for every ANSI program.
  virtual std::string Encode(std::wstring_view text) const = 0;
  // The bytes only when every character converts exactly: no look-alike, no default character.
  virtual std::optional<std::string> EncodeExactly(std::wstring_view text) const = 0;
  // Writes the text of `bytes` into `text`, which has room for at least one character per byte
  // (no code page needs more), and says how many characters it wrote.
  virtual std::size_t DecodeInto(std::string_view bytes, std::span<wchar_t> text) const = 0;

  std::wstring Decode(std::string_view bytes) const {
    std::wstring text(bytes.size(), L'\0');
    text.resize(DecodeInto(bytes, text));
    return text;
  }
};

}  // namespace calmora
