#include "store/unicode_text.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace calmora {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct Decoded {
  char32_t character;
  // Bytes taken: a whole sequence, or the maximal part of an ill-formed one (at least one).
  std::size_t length;
  bool wellFormed;
};

// One character from the front of `bytes`, which must not be empty. The ranges of the second
// byte shut out overlong forms, surrogates and values past U+10FFFF.
Decoded NextUtf8(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t length = 0;
  std::uint8_t low = 0x80;
  std::uint8_t high = 0xBF;
  char32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {kReplacement, 1, false};
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (i >= bytes.size()) return {kReplacement, i, false};
    const std::uint8_t next = byte(i);
    if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
      return {kReplacement, i, false};
    }
    value = (value << 6) | (next & 0x3F);
  }
  return {value, length, true};
}

// Puts characters into the caller's room as UTF-16 units.
class Utf16Writer {
 public:
  explicit Utf16Writer(std::span<wchar_t> room) : room_(room) {}

  void Put(char32_t character) {
    if (character < 0x10000) {
      PutUnit(character);
    } else {
      character -= 0x10000;
      PutUnit(0xD800 + (character >> 10));
      PutUnit(0xDC00 + (character & 0x3FF));
    }
  }
  // A run of ASCII, widened as it is.
  void PutAscii(std::string_view run) {
    if (run.size() > room_.size() - written_)
      throw std::length_error("no room for the decoded text");
    std::transform(run.begin(), run.end(), room_.begin() + static_cast<std::ptrdiff_t>(written_),
                   [](char byte) { return static_cast<wchar_t>(byte); });
    written_ += run.size();
  }
  std::size_t Written() const { return written_; }

 private:
  void PutUnit(char32_t unit) {
    if (written_ == room_.size()) throw std::length_error("no room for the decoded text");
    room_[written_++] = static_cast<wchar_t>(unit);
  }

  std::span<wchar_t> room_;
  std::size_t written_ = 0;
};

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Walks UTF-16 code units as characters; an unpaired surrogate comes out as U+FFFD.
template <typename Unit, typename Visit>
void ForEachCharacter(std::size_t count, Unit unit, Visit visit) {
  for (std::size_t i = 0; i < count; ++i) {
    const char32_t first = unit(i);
    if (IsHighSurrogate(first) && i + 1 < count && IsLowSurrogate(unit(i + 1))) {
      visit(0x10000 + ((first - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else {
      visit(IsHighSurrogate(first) || IsLowSurrogate(first) ? kReplacement : first);
    }
  }
}

}  // namespace

bool IsUtf8WithMultibyteCharacters(std::string_view bytes) {
  bool multibyte = false;
  while (!bytes.empty()) {
    // Most messages are mostly ASCII: skip it without decoding.
    std::size_t ascii = 0;
    while (ascii < bytes.size() && static_cast<std::uint8_t>(bytes[ascii]) < 0x80) ++ascii;
    bytes.remove_prefix(ascii);
    if (bytes.empty()) break;
    const Decoded next = NextUtf8(bytes);
    if (!next.wellFormed) return false;
    multibyte = true;
    bytes.remove_prefix(next.length);
  }
  return multibyte;
}

std::size_t DecodeUtf8(std::string_view bytes, std::span<wchar_t> text) {
  Utf16Writer writer(text);
  while (!bytes.empty()) {
    // Most messages are mostly ASCII: it needs no decoding.
    std::size_t ascii = 0;
    while (ascii < bytes.size() && static_cast<std::uint8_t>(bytes[ascii]) < 0x80) ++ascii;
    writer.PutAscii(bytes.substr(0, ascii));
    bytes.remove_prefix(ascii);
    if (bytes.empty()) break;
    const Decoded next = NextUtf8(bytes);
    writer.Put(next.character);
    bytes.remove_prefix(next.length);
  }
  return writer.Written();
}

std::size_t DecodeUtf16(std::string_view bytes, bool bigEndian, std::span<wchar_t> text) {
  const auto unit = [&](std::size_t i) -> char32_t {
    const auto first = static_cast<std::uint8_t>(bytes[2 * i]);
    const auto second = static_cast<std::uint8_t>(bytes[2 * i + 1]);
    return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  };
  Utf16Writer writer(text);
  ForEachCharacter(bytes.size() / 2, unit, [&](char32_t character) { writer.Put(character); });
  if (bytes.size() % 2 != 0) writer.Put(kReplacementCharacter);
  return writer.Written();
}

void AppendUtf8(std::wstring_view text, std::string& bytes) {
  const auto unit = [&](std::size_t i) { return static_cast<char32_t>(text[i]); };
  std::size_t length = 0;
  ForEachCharacter(text.size(), unit, [&](char32_t c) {
    length += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
  });
  const std::size_t start = bytes.size();
  bytes.resize(start + length);
  char* out = bytes.data() + start;
  const auto put = [&](char32_t byte) { *out++ = static_cast<char>(byte); };
  ForEachCharacter(text.size(), unit, [&](char32_t c) {
    if (c < 0x80) {
      put(c);
    } else if (c < 0x800) {
      put(0xC0 | (c >> 6));
      put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      put(0xE0 | (c >> 12));
      put(0x80 | ((c >> 6) & 0x3F));
      put(0x80 | (c & 0x3F));
    } else {
      put(0xF0 | (c >> 18));
      put(0x80 | ((c >> 12) & 0x3F));
      put(0x80 | ((c >> 6) & 0x3F));
      put(0x80 | (c & 0x3F));
    }
  });
}

void AppendUtf16(std::wstring_view text, bool bigEndian, std::string& bytes) {
  const auto unit = [&](std::size_t i) { return static_cast<char32_t>(text[i]); };
  // With 16-bit wchar_t every character takes as many units as it has in `text`, an unpaired
  // surrogate's U+FFFD one; a wider wchar_t may hold a character that takes two.
  std::size_t units = text.size();
  if constexpr (sizeof(wchar_t) > 2) {
    units = 0;
    ForEachCharacter(text.size(), unit, [&](char32_t c) { units += c < 0x10000 ? 1 : 2; });
  }
  const std::size_t start = bytes.size();
  bytes.resize(start + 2 * units);
  char* out = bytes.data() + start;
  const auto put = [&](char32_t value) {
    const auto high = static_cast<char>(value >> 8);
    const auto low = static_cast<char>(value & 0xFF);
    *out++ = bigEndian ? high : low;
    *out++ = bigEndian ? low : high;
  };
  ForEachCharacter(text.size(), unit, [&](char32_t c) {
    if (c < 0x10000) {
      put(c);
    } else {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  });
}

}  // namespace calmora
