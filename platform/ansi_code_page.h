// Converts between the UI's UTF-16 text and single-byte text in the system's ANSI code page,
// which is how the message file and the registry store text.
#pragma once

#include <string>
#include <string_view>

namespace calmora {

class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  virtual std::string Encode(std::wstring_view text) const = 0;
  virtual std::wstring Decode(std::string_view bytes) const = 0;
};

}  // namespace calmora
