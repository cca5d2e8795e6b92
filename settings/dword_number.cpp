#include "settings/dword_number.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace calmora {
namespace {

constexpr std::uint64_t kLargestDword = 0xFFFFFFFFu;
constexpr std::uint64_t kLargestNegative = 0x80000000u;
// Ten digits reach past the largest DWORD.
constexpr std::int64_t kLongestWholePart = 10;

bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

int DigitValue(wchar_t c) {
  return static_cast<int>(c - L'0');
}

// A decimal number as its significant digits and how many of them stand before the point.
struct Decimal {
  bool negative = false;
  std::wstring digits;
  std::int64_t wholeDigits = 0;
};

std::optional<Decimal> ReadDecimal(std::wstring_view text) {
  Decimal number;
  std::size_t at = 0;
  if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
    number.negative = text[at++] == L'-';
  }
  for (; at < text.size() && IsDigit(text[at]); ++at, ++number.wholeDigits) {
    number.digits += text[at];
  }
  if (at < text.size() && text[at] == L'.') {
    for (++at; at < text.size() && IsDigit(text[at]); ++at) number.digits += text[at];
  }
  if (number.digits.empty()) return std::nullopt;

  // An exponent counts only when a digit follows the "e" and its sign: "2e" is the number 2.
  if (at < text.size() && (text[at] == L'e' || text[at] == L'E')) {
    std::size_t next = at + 1;
    const bool negativeExponent = next < text.size() && text[next] == L'-';
    if (next < text.size() && (text[next] == L'+' || text[next] == L'-')) ++next;
    // Moving the point past every digit the text holds, and ten places more, decides the result
    // as any larger exponent does: below 0.1 it rounds to 0, beyond ten digits it has no DWORD.
    const std::int64_t exponentLimit = static_cast<std::int64_t>(text.size()) + kLongestWholePart;
    std::int64_t exponent = 0;
    for (; next < text.size() && IsDigit(text[next]); ++next) {
      exponent = std::min(exponent * 10 + DigitValue(text[next]), exponentLimit);
    }
    number.wholeDigits += negativeExponent ? -exponent : exponent;
  }

  const std::size_t firstSignificant =
      std::min(number.digits.find_first_not_of(L'0'), number.digits.size());
  number.digits.erase(0, firstSignificant);
  number.wholeDigits -= static_cast<std::int64_t>(firstSignificant);
  return number;
}

// The whole number nearest to `number`'s magnitude, an exact half going to the even one; empty
// when it has more digits than any DWORD.
std::optional<std::uint64_t> RoundedMagnitude(const Decimal& number) {
  if (number.digits.empty()) return 0;
  if (number.wholeDigits > kLongestWholePart) return std::nullopt;

  std::uint64_t whole = 0;
  for (std::int64_t i = 0; i < number.wholeDigits; ++i) {
    const auto index = static_cast<std::size_t>(i);
    whole = whole * 10 + static_cast<std::uint64_t>(
                             index < number.digits.size() ? DigitValue(number.digits[index]) : 0);
  }

  const std::wstring_view fraction =
      number.wholeDigits < 0 ? std::wstring_view()
                             : std::wstring_view(number.digits)
                                   .substr(std::min(static_cast<std::size_t>(number.wholeDigits),
                                                    number.digits.size()));
  // With the point further left than the first significant digit, the fraction is below 0.1.
  const wchar_t firstFractionDigit =
      number.wholeDigits < 0 || fraction.empty() ? L'0' : fraction.front();
  const bool moreAfterFirst =
      !fraction.empty() && fraction.find_first_not_of(L'0', 1) != std::wstring_view::npos;
  const bool roundUp = firstFractionDigit > L'5' ||
                       (firstFractionDigit == L'5' && (moreAfterFirst || whole % 2 == 1));
  return whole + (roundUp ? 1 : 0);
}

std::optional<std::uint32_t> FromHexLiteral(std::wstring_view digits) {
  std::string ascii;
  for (const wchar_t c : digits) {
    if (c > 0x7F) break;
    ascii += static_cast<char>(c);
  }
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, 16);
  if (error == std::errc::invalid_argument) return 0;
  if (error == std::errc::result_out_of_range || value > kLargestDword) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<std::uint32_t> DwordNumberFromText(std::wstring_view text) {
  const std::size_t start = std::min(text.find_first_not_of(L" \t"), text.size());
  text.remove_prefix(start);

  if (text.size() >= 2 && text[0] == L'&' && (text[1] == L'h' || text[1] == L'H')) {
    return FromHexLiteral(text.substr(2));
  }

  const std::optional<Decimal> number = ReadDecimal(text);
  if (!number) return 0;
  const std::optional<std::uint64_t> magnitude = RoundedMagnitude(*number);
  if (!magnitude) return std::nullopt;
  if (!number->negative) {
    if (*magnitude > kLargestDword) return std::nullopt;
    return static_cast<std::uint32_t>(*magnitude);
  }
  if (*magnitude > kLargestNegative) return std::nullopt;
  return static_cast<std::uint32_t>((kLargestDword + 1 - *magnitude) & kLargestDword);
}

}  // namespace calmora
