#include "store/message_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "store/unicode_text.h"

namespace calmora {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianBom = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianBom = "\xFE\xFF";

std::string_view BomOf(MessageEncoding encoding) {
  switch (encoding) {
    case MessageEncoding::kUtf8WithBom:
      return kUtf8Bom;
    case MessageEncoding::kUtf16LittleEndian:
      return kUtf16LittleEndianBom;
    case MessageEncoding::kUtf16BigEndian:
      return kUtf16BigEndianBom;
    case MessageEncoding::kAnsi:
    case MessageEncoding::kUtf8:
      break;
  }
  return {};
}

std::size_t DecodeWithoutBom(std::string_view bytes, MessageEncoding encoding,
                             const AnsiCodePage& ansi, std::span<wchar_t> text) {
  std::size_t length = 0;
  switch (encoding) {
    case MessageEncoding::kUtf8:
    case MessageEncoding::kUtf8WithBom:
      length = DecodeUtf8(bytes, text);
      break;
    case MessageEncoding::kUtf16LittleEndian:
      length = DecodeUtf16(bytes, false, text);
      break;
    case MessageEncoding::kUtf16BigEndian:
      length = DecodeUtf16(bytes, true, text);
      break;
    case MessageEncoding::kAnsi:
      length = ansi.DecodeInto(bytes, text);
      break;
  }
  std::replace(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), L'\0',
               kNulStandIn);
  return length;
}

std::string EncodeWithBom(std::wstring_view text, MessageEncoding encoding) {
  std::string bytes(BomOf(encoding));
  switch (encoding) {
    case MessageEncoding::kUtf16LittleEndian:
      AppendUtf16(text, false, bytes);
      break;
    case MessageEncoding::kUtf16BigEndian:
      AppendUtf16(text, true, bytes);
      break;
    default:
      AppendUtf8(text, bytes);
      break;
  }
  return bytes;
}

// The read-back check decodes the bytes this many at a time, into room on the stack: checking a
// large message costs no second copy of it.
constexpr std::size_t kPieceBytes = 8192;

bool IsUtf8Continuation(char byte) {
  return (static_cast<std::uint8_t>(byte) & 0xC0) == 0x80;
}

bool IsHighSurrogate(wchar_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Whether a character of the ANSI code page ends with bytes[at], in bytes that start with one.
// Windows' double-byte code pages lead with 0x81 or above and trail with 0x40 or above, and
// UTF-8 takes bytes below 0x80 alone: a byte below 0x40 is a character of its own, and so is one
// below 0x80 that no lead byte comes before.
bool EndsAnsiCharacter(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  return byte(at) < 0x40 || (byte(at) < 0x80 && (at == 0 || byte(at - 1) < 0x80));
}

// How many of `bytes`, which start at a character, to decode next: decoding them alone gives
// what decoding them with the rest does. Normally up to kPieceBytes; more only for ANSI bytes with
// nowhere to cut before, as a long run of double-byte characters.
std::size_t NextPiece(std::string_view bytes, MessageEncoding encoding) {
  if (bytes.size() <= kPieceBytes) return bytes.size();
  switch (encoding) {
    case MessageEncoding::kUtf8:
    case MessageEncoding::kUtf8WithBom:
      // A UTF-8 decoder takes no byte into a sequence but a continuation byte, and a sequence
      // has at most three of those.
      for (std::size_t at = kPieceBytes - 1; at >= kPieceBytes - 3; --at) {
        if (!IsUtf8Continuation(bytes[at])) return at;
      }
      return kPieceBytes;
    case MessageEncoding::kUtf16LittleEndian:
    case MessageEncoding::kUtf16BigEndian: {
      // A pair of surrogates stays in one piece.
      const auto last = static_cast<std::uint8_t>(
          bytes[encoding == MessageEncoding::kUtf16BigEndian ? kPieceBytes - 2 : kPieceBytes - 1]);
      return last >= 0xD8 && last <= 0xDB ? kPieceBytes - 2 : kPieceBytes;
    }
    case MessageEncoding::kAnsi:
      break;
  }
  for (std::size_t at = kPieceBytes; at > 0; --at) {
    if (EndsAnsiCharacter(bytes, at - 1)) return at;
  }
  for (std::size_t at = kPieceBytes; at < bytes.size(); ++at) {
    if (EndsAnsiCharacter(bytes, at)) return at + 1;
  }
  return bytes.size();
}

// Whether `shown`, read back from the bytes, is the text from `at` on as every encoding saves it:
// an unpaired surrogate is no character, and is saved as U+FFFD. A decoder never makes an
// unpaired surrogate, so a piece that equals the text as typed holds none either.
bool ShowsAsSaved(std::wstring_view text, std::size_t at, std::wstring_view shown) {
  if (shown.size() > text.size() - at) return false;
  if (std::equal(shown.begin(), shown.end(), text.begin() + static_cast<std::ptrdiff_t>(at))) {
    return true;
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const std::size_t t = at + i;
    const wchar_t typed = text[t];
    const bool unpaired =
        (IsHighSurrogate(typed) && (t + 1 == text.size() || !IsLowSurrogate(text[t + 1]))) ||
        (IsLowSurrogate(typed) && (t == 0 || !IsHighSurrogate(text[t - 1])));
    if (shown[i] != (unpaired ? kReplacementCharacter : typed)) return false;
  }
  return true;
}

// Whether the next start, which knows only the bytes, shows `text` as the bytes of any encoding
// can hold it.
bool ReadsBackAs(std::string_view bytes, std::wstring_view text, const AnsiCodePage& ansi) {
  const MessageEncoding encoding = DetectMessageEncoding(bytes);
  bytes.remove_prefix(BomOf(encoding).size());
  // Decoding never needs more units than it has bytes.
  std::array<wchar_t, kPieceBytes> room;
  std::size_t checked = 0;
  while (!bytes.empty()) {
    const std::string_view piece = bytes.substr(0, NextPiece(bytes, encoding));
    std::wstring larger;
    std::span<wchar_t> into(room);
    if (piece.size() > room.size()) {
      larger.resize(piece.size());
      into = larger;
    }
    const std::size_t length = DecodeWithoutBom(piece, encoding, ansi, into);
    if (!ShowsAsSaved(text, checked, {into.data(), length})) return false;
    checked += length;
    bytes.remove_prefix(piece.size());
  }
  return checked == text.size();
}

}  // namespace

MessageEncoding DetectMessageEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return MessageEncoding::kUtf8WithBom;
  if (bytes.starts_with(kUtf16LittleEndianBom)) return MessageEncoding::kUtf16LittleEndian;
  if (bytes.starts_with(kUtf16BigEndianBom)) return MessageEncoding::kUtf16BigEndian;
  if (IsUtf8WithMultibyteCharacters(bytes)) return MessageEncoding::kUtf8;
  return MessageEncoding::kAnsi;
}

std::size_t DecodedLengthLimit(std::string_view bytes, MessageEncoding encoding) {
  const std::size_t length = bytes.size() - BomOf(encoding).size();
  const bool utf16 = encoding == MessageEncoding::kUtf16LittleEndian ||
                     encoding == MessageEncoding::kUtf16BigEndian;
  return utf16 ? length / 2 + 1 : length;
}

std::size_t DecodeMessage(std::string_view bytes, MessageEncoding encoding,
                          const AnsiCodePage& ansi, std::span<wchar_t> text) {
  bytes.remove_prefix(BomOf(encoding).size());
  return DecodeWithoutBom(bytes, encoding, ansi, text);
}

EncodedMessage EncodeMessage(std::wstring_view text, MessageEncoding readAs,
                             const AnsiCodePage& ansi) {
  // Bytes that read back as other text would lose the message at the next start: ANSI that
  // begins like a byte-order mark or happens to be valid UTF-8, or UTF-8 without a mark whose
  // text begins with U+FEFF. UTF-8 with a mark reads back as any text of whole characters. An
  // unpaired surrogate is no reason to change: no encoding holds it, and each saves U+FFFD.
  {
    std::optional<std::string> bytes =
        readAs == MessageEncoding::kAnsi ? ansi.EncodeExactly(text) : EncodeWithBom(text, readAs);
    if (bytes && ReadsBackAs(*bytes, text, ansi)) return {readAs, std::move(*bytes)};
  }
  // The refused bytes are gone before these are made: a large message is never held twice.
  return {MessageEncoding::kUtf8WithBom, EncodeWithBom(text, MessageEncoding::kUtf8WithBom)};
}

}  // namespace calmora
