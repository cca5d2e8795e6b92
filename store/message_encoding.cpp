#include "store/message_encoding.h"

#include <algorithm>
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
  switch (encoding) {
    case MessageEncoding::kUtf8:
    case MessageEncoding::kUtf8WithBom:
      return DecodeUtf8(bytes, text);
    case MessageEncoding::kUtf16LittleEndian:
      return DecodeUtf16(bytes, false, text);
    case MessageEncoding::kUtf16BigEndian:
      return DecodeUtf16(bytes, true, text);
    case MessageEncoding::kAnsi:
      break;
  }
  return ansi.DecodeInto(bytes, text);
}

std::string EncodeWithBom(std::wstring_view text, MessageEncoding encoding) {
  std::string bytes(BomOf(encoding));
  switch (encoding) {
    case MessageEncoding::kUtf16LittleEndian:
      return bytes + EncodeUtf16(text, false);
    case MessageEncoding::kUtf16BigEndian:
      return bytes + EncodeUtf16(text, true);
    default:
      return bytes + EncodeUtf8(text);
  }
}

// Whether the next start, which knows only the bytes, shows `text` again.
bool ReadsBackAs(std::string_view bytes, std::wstring_view text, const AnsiCodePage& ansi) {
  const MessageEncoding encoding = DetectMessageEncoding(bytes);
  std::wstring shown(DecodedLengthLimit(bytes, encoding), L'\0');
  shown.resize(DecodeMessage(bytes, encoding, ansi, shown));
  return shown == text;
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
  const std::size_t length = DecodeWithoutBom(bytes, encoding, ansi, text);
  std::replace(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), L'\0',
               kNulStandIn);
  return length;
}

EncodedMessage EncodeMessage(std::wstring_view text, MessageEncoding readAs,
                             const AnsiCodePage& ansi) {
  // Bytes that read back as other text would lose the message at the next start: ANSI that
  // begins like a byte-order mark or happens to be valid UTF-8, or UTF-8 without a mark whose
  // text begins with U+FEFF. UTF-8 with a mark reads back as any text of whole characters.
  std::optional<std::string> bytes =
      readAs == MessageEncoding::kAnsi ? ansi.EncodeExactly(text) : EncodeWithBom(text, readAs);
  if (bytes && ReadsBackAs(*bytes, text, ansi)) return {readAs, std::move(*bytes)};
  return {MessageEncoding::kUtf8WithBom, EncodeWithBom(text, MessageEncoding::kUtf8WithBom)};
}

}  // namespace calmora
