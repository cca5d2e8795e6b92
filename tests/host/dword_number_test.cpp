// Which number a text stands for when it is written into a REG_DWORD value.
#include "settings/dword_number.h"

#include <gtest/gtest.h>

#include <utility>

namespace calmora {
namespace {

TEST(DwordNumber, IsTheNumberTheTextBeginsWithOrNoneBeyond32Bits) {
  // An exact half goes to the even neighbour, an exponent counts only with digits after it, and
  // hexadecimal reads as a read of a REG_DWORD gives it, so what was read writes back unchanged.
  const std::pair<std::wstring, std::uint32_t> numbers[] = {
      {L"258", 258},
      {L"  42 apples", 42},
      {L"Yes", 0},
      {L"2.5", 2},
      {L"3.5", 4},
      {L"2.5001", 3},
      {L"25e-1", 2},
      {L"7e", 7},
      {L"&h000100", 256},
      {L"&H1f", 31},
      {L"&hFFFFFFFF", 0xFFFFFFFF},
      {L"-1", 0xFFFFFFFF},
      {L"-2147483648", 0x80000000},
      {L"1" + std::wstring(1001, L'0') + L"e-1001", 1},
      {L"-194" + std::wstring(998, L'0') + L"e-2262", 0},
  };
  for (const auto& [text, number] : numbers) {
    EXPECT_EQ(DwordNumberFromText(text), number) << "text: \"" << std::wstring(text) << '"';
  }
  for (const std::wstring_view text : {L"4294967296", L"4294967295.5", L"-2147483649", L"1e10",
                                       L"1e99999999999999999999", L"&h100000000"}) {
    EXPECT_EQ(DwordNumberFromText(text), std::nullopt) << "text: \"" << std::wstring(text) << '"';
  }
}

}  // namespace
}  // namespace calmora
