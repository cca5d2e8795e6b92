#include "settings/value_text.h"

#include "platform/registry_api.h"
#include "settings/dword_number.h"

namespace calmora {
namespace {

std::wstring HexLiteral(std::span<const std::uint8_t> data) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text = L"&h";
  for (auto byte = data.rbegin(); byte != data.rend(); ++byte) {
    text += kDigits[*byte >> 4];
    text += kDigits[*byte & 0x0F];
  }
  return text;
}

std::vector<std::uint8_t> LeastSignificantByteFirst(std::uint32_t number) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < 4; ++i, number >>= 8) bytes.push_back(static_cast<std::uint8_t>(number));
  return bytes;
}

}  // namespace

std::wstring TextFromValueData(std::uint32_t type, std::span<const std::uint8_t> data,
                               const AnsiCodePage& ansi) {
  if (data.empty()) return {};
  if (data.back() == 0) data = data.first(data.size() - 1);
  switch (type) {
    case kRegSz:
      return ansi.Decode(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    case kRegDword:
      return HexLiteral(data);
    default:
      return {};
  }
}

std::optional<std::vector<std::uint8_t>> ValueDataFromText(std::uint32_t type,
                                                           std::wstring_view text,
                                                           const AnsiCodePage& ansi) {
  switch (type) {
    case kRegSz: {
      const std::string bytes = ansi.Encode(text);
      std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
      data.push_back(0);
      return data;
    }
    case kRegDword:
      if (const auto number = DwordNumberFromText(text)) return LeastSignificantByteFirst(*number);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace calmora
