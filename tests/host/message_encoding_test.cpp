// How the message file's bytes are read as text, and which bytes a save writes.
#include "store/message_encoding.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/host/fakes/allocation_counter.h"
#include "tests/host/fakes/latin1_code_page.h"
#include "tests/host/fakes/two_byte_code_page.h"

namespace calmora {
namespace {

using enum MessageEncoding;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

template <typename Text>
Text Repeated(const Text& part, std::size_t times) {
  Text text;
  for (std::size_t i = 0; i < times; ++i) text += part;
  return text;
}

std::wstring Decoded(std::string_view bytes, MessageEncoding encoding,
                     const AnsiCodePage& ansi = testing::Latin1CodePage()) {
  std::wstring text(DecodedLengthLimit(bytes, encoding), L'\0');
  text.resize(DecodeMessage(bytes, encoding, ansi, text));
  return text;
}

struct ReadRow {
  const char* what;
  std::string bytes;
  MessageEncoding encoding;
  std::wstring text;
};

TEST(MessageEncoding, IsReadFromTheBytes) {
  const ReadRow rows[] = {
      {"UTF-8 mark", "\xEF\xBB\xBFZo\xC3\xAB", kUtf8WithBom, L"Zo\xEB"},
      {"UTF-16 LE mark", std::string("\xFF\xFEP\0\x41\x01", 6), kUtf16LittleEndian, L"P\x141"},
      {"UTF-16 BE mark", std::string("\xFE\xFF\0P\x01\x41", 6), kUtf16BigEndian, L"P\x141"},
      {"UTF-8 without a mark", "Zo\xC3\xAB \xE2\x9C\x93", kUtf8, L"Zo\xEB \x2713"},
      {"ASCII alone stays ANSI", "plain\r\n", kAnsi, L"plain\r\n"},
      {"cut-short UTF-8", "Zo\xC3", kAnsi, L"Zo\xC3"},
      {"overlong UTF-8", "\xC0\xAF", kAnsi, L"\xC0\xAF"},
      {"UTF-8 surrogate", "\xED\xA0\x80", kAnsi, L"\xED\xA0\x80"},
      {"ANSI high bytes", "Caf\xE9 \x80\xFF", kAnsi, L"Caf\xE9 \x80\xFF"},
      {"empty", "", kAnsi, L""},
      {"bad bytes after a UTF-8 mark",
       "\xEF\xBB\xBF"
       "a\xFF"
       "b\xE2\x9C",
       kUtf8WithBom,
       L"a\xFFFD"
       L"b\xFFFD"},
      {"odd byte of UTF-16",
       std::string("\xFF\xFE"
                   "a\0b",
                   5),
       kUtf16LittleEndian, L"a\xFFFD"},
      {"lone surrogate in UTF-16",
       std::string("\xFF\xFE\x00\xD8"
                   "a\0",
                   6),
       kUtf16LittleEndian,
       L"\xFFFD"
       L"a"},
      {"NUL in ANSI", std::string("a\0b", 3), kAnsi,
       L"a\x2400"
       L"b"},
      {"NUL in UTF-16",
       std::string("\xFF\xFE"
                   "a\0\0\0b\0",
                   8),
       kUtf16LittleEndian,
       L"a\x2400"
       L"b"},
  };
  for (const ReadRow& row : rows) {
    SCOPED_TRACE(row.what);
    const MessageEncoding encoding = DetectMessageEncoding(row.bytes);
    EXPECT_EQ(encoding, row.encoding);
    EXPECT_EQ(Decoded(row.bytes, encoding), row.text);
  }
}

struct SaveRow {
  const char* what;
  std::wstring text;
  MessageEncoding readAs;
  MessageEncoding savedAs;
  std::string bytes;
  // What the next start shows, where it is not the text as typed.
  std::optional<std::wstring> shown = std::nullopt;
  // The ANSI code page, where it is not Latin-1.
  const AnsiCodePage* ansi = nullptr;
};

TEST(MessageEncoding, ASaveKeepsTheFilesEncodingAndNeverReplacesACharacter) {
  const std::string utf8Bom = "\xEF\xBB\xBF";
  const testing::TwoByteCodePage twoByte;
  const SaveRow rows[] = {
      {"ANSI text stays ANSI", L"Caf\xE9\r\n", kAnsi, kAnsi, "Caf\xE9\r\n"},
      {"outside the code page", L"\x141ukasz \x2713", kAnsi, kUtf8WithBom,
       utf8Bom + "\xC5\x81ukasz \xE2\x9C\x93"},
      {"UTF-8 keeps no mark", L"Zo\xEB", kUtf8, kUtf8, "Zo\xC3\xAB"},
      {"UTF-8 keeps its mark", L"Zo\xEB", kUtf8WithBom, kUtf8WithBom, utf8Bom + "Zo\xC3\xAB"},
      {"UTF-16 LE", L"P\x141", kUtf16LittleEndian, kUtf16LittleEndian,
       Bytes({0xFF, 0xFE, 'P', 0, 0x41, 0x01})},
      {"UTF-16 BE", L"P\x141", kUtf16BigEndian, kUtf16BigEndian,
       Bytes({0xFE, 0xFF, 0, 'P', 0x01, 0x41})},
      {"characters beyond U+FFFF", L"\xD83D\xDE00", kUtf8, kUtf8, "\xF0\x9F\x98\x80"},
      {"ÿþ later on", L"R\xE9sum\xE9 \xFF\xFE", kAnsi, kAnsi, "R\xE9sum\xE9 \xFF\xFE"},
      {"ÿþ", L"\xFF\xFE", kAnsi, kUtf8WithBom, utf8Bom + "\xC3\xBF\xC3\xBE"},
      {"ÿþHi", L"\xFF\xFEHi there", kAnsi, kUtf8WithBom, utf8Bom + "\xC3\xBF\xC3\xBEHi there"},
      {"ï»¿ok", L"\xEF\xBB\xBFok", kAnsi, kUtf8WithBom, utf8Bom + "\xC3\xAF\xC2\xBB\xC2\xBFok"},
      {"Ã©", L"Price: \xC3\xA9 (code)", kAnsi, kUtf8WithBom,
       utf8Bom + "Price: \xC3\x83\xC2\xA9 (code)"},
      {"U+FEFF first", L"\xFEFFok", kUtf8, kUtf8WithBom, utf8Bom + utf8Bom + "ok"},
      {"two-byte UTF-8: Cyrillic, Hebrew, Arabic, U+07FF",
       L"\x416\x438\x437\x43D\x44C \x5E9\x5DC\x5D5\x5DD \x633\x644\x627\x645 \x7FF", kUtf8, kUtf8,
       "\xD0\x96\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D "
       "\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85 \xDF\xBF"},
      {"UTF-16 LE keeps a broken character",
       L"\xD800"
       L"A",
       kUtf16LittleEndian, kUtf16LittleEndian, Bytes({0xFF, 0xFE, 0xFD, 0xFF, 'A', 0}),
       L"\xFFFD"
       L"A"},
      {"UTF-16 BE keeps a broken character", L"A\xDC00", kUtf16BigEndian, kUtf16BigEndian,
       Bytes({0xFE, 0xFF, 0, 'A', 0xFF, 0xFD}), L"A\xFFFD"},
      {"UTF-8 without a mark keeps a broken character",
       L"A\xDBFF"
       L"B",
       kUtf8, kUtf8,
       "A\xEF\xBF\xBD"
       "B",
       L"A\xFFFD"
       L"B"},
      {"ANSI with a broken character",
       L"\xD800"
       L"A",
       kAnsi, kUtf8WithBom,
       utf8Bom + "\xEF\xBF\xBD"
                 "A",
       L"\xFFFD"
       L"A"},
      {"U+FEFF first and a broken character", L"\xFEFF\xDC00", kUtf8, kUtf8WithBom,
       utf8Bom + utf8Bom + "\xEF\xBF\xBD", L"\xFEFF\xFFFD"},
      // Large messages are checked a piece at a time: characters that straddle where a piece
      // ends still read back whole.
      {"UTF-8 across pieces", Repeated<std::wstring>(L"\x4E2D", 3000), kUtf8, kUtf8,
       Repeated<std::string>("\xE4\xB8\xAD", 3000)},
      {"UTF-16 pairs across pieces", L"a" + Repeated<std::wstring>(L"\xD83D\xDE00", 3000),
       kUtf16LittleEndian, kUtf16LittleEndian,
       Bytes({0xFF, 0xFE, 'a', 0}) + Repeated(Bytes({0x3D, 0xD8, 0x00, 0xDE}), 3000)},
      {"double-byte ANSI across pieces", Repeated<std::wstring>(L"a\x4E00", 3000), kAnsi, kAnsi,
       Repeated<std::string>("a\x81\x40", 3000), std::nullopt, &twoByte},
      // An ASCII letter after a trail byte from 0x80 on could be a trail byte itself.
      {"double-byte ANSI with nowhere to cut",
       L"\x4E50\x4E50" + Repeated<std::wstring>(L"\x4E50"
                                                L"a",
                                                3000),
       kAnsi, kAnsi,
       "\x81\x90\x81\x90" + Repeated<std::string>("\x81\x90"
                                                  "a",
                                                  3000),
       std::nullopt, &twoByte},
  };
  const testing::Latin1CodePage latin1;
  for (const SaveRow& row : rows) {
    SCOPED_TRACE(row.what);
    const AnsiCodePage& ansi = row.ansi ? *row.ansi : latin1;
    const EncodedMessage saved = EncodeMessage(row.text, row.readAs, ansi);
    EXPECT_EQ(saved.encoding, row.savedAs);
    EXPECT_EQ(saved.bytes, row.bytes);
    // What a save writes, the next start reads back exactly.
    EXPECT_EQ(Decoded(saved.bytes, DetectMessageEncoding(saved.bytes), ansi),
              row.shown.value_or(row.text));
  }
}

TEST(MessageEncoding, ASaveOfALargeMessageTakesNoMoreMemoryThanItsBytes) {
  // Far more than any room of a fixed size, so that a copy of the text shows plainly, and quick
  // under the sanitizers: 10 million characters take them half a minute.
  constexpr std::size_t kCharacters = 1'000'000;
  // Room for the check's own bookkeeping; nothing that grows with the message.
  constexpr std::size_t kFixed = 4096;
  const struct {
    const char* what;
    std::wstring text;
    MessageEncoding readAs;
  } rows[] = {
      {"ASCII, ANSI file", std::wstring(kCharacters, L'x'), kAnsi},
      {"CJK, UTF-8 file", std::wstring(kCharacters, L'\x4E2D'), kUtf8},
      {"CJK, UTF-16 file", std::wstring(kCharacters, L'\x4E2D'), kUtf16LittleEndian},
      {"outside the code page, ANSI file", std::wstring(kCharacters, L'\x4E2D'), kAnsi},
      // The UTF-8 bytes are refused, and made again with a mark.
      {"U+FEFF first, UTF-8 file", L'\xFEFF' + std::wstring(kCharacters, L'x'), kUtf8},
  };
  const testing::Latin1CodePage ansi;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::size_t peak = 0;
    std::size_t size = 0;
    {
      const testing::AllocationCounter counter;
      const EncodedMessage saved = EncodeMessage(row.text, row.readAs, ansi);
      peak = counter.PeakBytes();
      size = saved.bytes.size();
    }
    EXPECT_GE(peak, size);
    EXPECT_LE(peak, size + kFixed);
  }
}

}  // namespace
}  // namespace calmora
