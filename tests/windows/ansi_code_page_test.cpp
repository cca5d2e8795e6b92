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
  // A message larger than the pieces the save checks it in stays ANSI byte for byte; a broken
  // character has no exact ANSI form.
  std::wstring large;
  std::string largeBytes;
  for (int line = 0; line < 3000; ++line) {
    large += L"Caf\xE9 \x20AC\r\n";
    largeBytes += "Caf\xE9 \x80\r\n";
  }
  const EncodedMessage saved = EncodeMessage(large, MessageEncoding::kAnsi, ansi);
  EXPECT_EQ(saved.encoding, MessageEncoding::kAnsi);
  EXPECT_EQ(saved.bytes, largeBytes);
  EXPECT_EQ(EncodeMessage(L"\xD800"
                          L"A",
                          MessageEncoding::kAnsi, ansi)
                .bytes,
            "\xEF\xBB\xBF\xEF\xBF\xBD"
            "A");
}

}  // namespace
}  // namespace calmora::win32
