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

std::wstring DecodeWithoutBom(std::string_view bytes, MessageEncoding encoding,
                              const AnsiCodePage& ansi) {
  switch (encoding) {
    case MessageEncoding::kUtf8:
    case MessageEncoding::kUtf8WithBom:
      return DecodeUtf8(bytes);
    case MessageEncoding::kUtf16LittleEndian:
      return DecodeUtf16(bytes, false);
    case MessageEncoding::kUtf16BigEndian:
      return DecodeUtf16(bytes, true);
    case MessageEncoding::kAnsi:
      break;
  }
  return ansi.Decode(bytes);
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

}  // namespace

MessageEncoding DetectMessageEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return MessageEncoding::kUtf8WithBom;
  if (bytes.starts_with(kUtf16LittleEndianBom)) return MessageEncoding::kUtf16LittleEndian;
  if (bytes.starts_with(kUtf16BigEndianBom)) return MessageEncoding::kUtf16BigEndian;
  if (IsUtf8WithMultibyteCharacters(bytes)) return MessageEncoding::kUtf8;
  return MessageEncoding::kAnsi;
}

std::wstring DecodeMessage(std::string_view bytes, MessageEncoding encoding,
                           const AnsiCodePage& ansi) {
  bytes.remove_prefix(BomOf(encoding).size());
  std::wstring text = DecodeWithoutBom(bytes, encoding, ansi);
  std::replace(text.begin(), text.end(), L'\0', kNulStandIn);
  return text;
}

EncodedMessage EncodeMessage(std::wstring_view text, MessageEncoding readAs,
                             const AnsiCodePage& ansi) {
  if (readAs == MessageEncoding::kAnsi) {
    if (std::optional<std::string> exact = ansi.EncodeExactly(text)) {
      return {MessageEncoding::kAnsi, std::move(*exact)};
    }
    readAs = MessageEncoding::kUtf8WithBom;
  }
  return {readAs, EncodeWithBom(text, readAs)};
}

}  // namespace calmora
