// A double-byte code page in the manner of Windows' Japanese, Chinese and Korean ones: bytes below
// 0x80 are ASCII, a lead byte from 0x81 on takes the next byte from 0x40 on as its trail, so a
// trail byte may look like an ASCII letter. The pairs stand for U+4E00 onwards in order; a lead
// byte with no trail shows as U+30FB, as Windows' Japanese code page shows it.
#pragma once

#include "platform/ansi_code_page.h"

namespace calmora::testing {

class TwoByteCodePage final : public AnsiCodePage {
 public:
  std::string Encode(std::wstring_view text) const override {
    std::string bytes;
    for (const wchar_t c : text) {
      if (c < 0x80) {
        bytes += static_cast<char>(c);
      } else if (c >= kFirst && c < kFirst + kLeads * kTrails) {
        bytes += static_cast<char>(0x81 + (c - kFirst) / kTrails);
        bytes += static_cast<char>(0x40 + (c - kFirst) % kTrails);
      } else {
        bytes += '?';
      }
    }
    return bytes;
  }
  std::optional<std::string> EncodeExactly(std::wstring_view text) const override {
    for (const wchar_t c : text) {
      if (c >= 0x80 && (c < kFirst || c >= kFirst + kLeads * kTrails)) return std::nullopt;
    }
    return Encode(text);
  }
  std::size_t DecodeInto(std::string_view bytes, std::span<wchar_t> text) const override {
    std::size_t written = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      const auto next = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
      if (byte < 0x80) {
        text[written++] = static_cast<wchar_t>(byte);
      } else if (byte > 0x80 && byte < 0xFF && next >= 0x40 && next < 0x40 + kTrails) {
        text[written++] = static_cast<wchar_t>(kFirst + (byte - 0x81) * kTrails + (next - 0x40));
        ++i;
      } else {
        text[written++] = L'\x30FB';
      }
    }
    return written;
  }

 private:
  static constexpr wchar_t kFirst = 0x4E00;
  static constexpr int kLeads = 0xFE - 0x81 + 1;
  static constexpr int kTrails = 0xFE - 0x40 + 1;
};

}  // namespace calmora::testing
