// The system's ANSI code page (1252 in the test prefix): which text converts exactly.
#include "platform/win32/win32_ansi_code_page.h"

#include <gtest/gtest.h>

#include <optional>

#include "store/message_encoding.h"

namespace calmora::win32 {
namespace {

TEST(Win32AnsiCodePage, ConvertsExactlyOrNotAtAll) {
  const Win32AnsiCodePage ansi;
  const std::pair<std::wstring, std::optional<std::string>> rows[] = {
      {L"Caf\xE9 \x20AC\r\n", "Caf\xE9 \x80\r\n"},
      {L"", ""},
      {L"\x2713", std::nullopt},  // not in the code page at all
  };
  for (const auto& [text, bytes] : rows) EXPECT_EQ(ansi.EncodeExactly(text), bytes);
  // "\x141" has only a look-alike: the registry's text takes it, a message becomes UTF-8.
  EXPECT_EQ(ansi.Encode(L"\x141ukasz"), "Lukasz");
  EXPECT_EQ(EncodeMessage(L"\x141ukasz", MessageEncoding::kAnsi, ansi).bytes,
            "\xEF\xBB\xBF\xC5\x81ukasz");
}

}  // namespace
}  // namespace calmora::win32
