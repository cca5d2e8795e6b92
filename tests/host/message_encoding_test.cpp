// How the message file's bytes are read as text, and which bytes a save writes.
#include "store/message_encoding.h"

#include <gtest/gtest.h>

#include "tests/host/fakes/latin1_code_page.h"

namespace calmora {
namespace {

using enum MessageEncoding;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::wstring Decoded(std::string_view bytes, MessageEncoding encoding) {
  const testing::Latin1CodePage ansi;
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
};

TEST(MessageEncoding, ASaveKeepsTheFilesEncodingAndNeverReplacesACharacter) {
  const std::string utf8Bom = "\xEF\xBB\xBF";
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
  };
  const testing::Latin1CodePage ansi;
  for (const SaveRow& row : rows) {
    SCOPED_TRACE(row.what);
    const EncodedMessage saved = EncodeMessage(row.text, row.readAs, ansi);
    EXPECT_EQ(saved.encoding, row.savedAs);
    EXPECT_EQ(saved.bytes, row.bytes);
    // What a save writes, the next start reads back exactly.
    EXPECT_EQ(Decoded(saved.bytes, DetectMessageEncoding(saved.bytes)), row.text);
  }
}

}  // namespace
}  // namespace calmora
