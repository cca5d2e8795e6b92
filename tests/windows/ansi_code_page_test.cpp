// The system's ANSI code page (1252 in the test prefix): which text converts exactly.
#include "platform/win32/win32_ansi_code_page.h"

#include <gtest/gtest.h>

#include <optional>

namespace calmora::win32 {
namespace {

TEST(Win32AnsiCodePage, ConvertsExactlyOrNotAtAll) {
  const Win32AnsiCodePage ansi;
  const std::pair<std::wstring, std::optional<std::string>> rows[] = {
      {L"Caf\xE9 \x20AC\r\n", "Caf\xE9 \x80\r\n"},
      {L"", ""},
      {L"\x2713", std::nullopt},      // not in the code page at all
      {L"\x141ukasz", std::nullopt},  // only a look-alike, "L"
  };
  for (const auto& [text, bytes] : rows) EXPECT_EQ(ansi.EncodeExactly(text), bytes);
  // The registry's text keeps the conversion every ANSI program gets.
  EXPECT_EQ(ansi.Encode(L"\x141ukasz"), "Lukasz");
}

}  // namespace
}  // namespace calmora::win32
