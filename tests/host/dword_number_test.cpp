// Which number a text stands for when it is written into a REG_DWORD value.
#include "settings/dword_number.h"

#include <gtest/gtest.h>

#include <utility>

namespace calmora {
namespace {

void ExpectNumbers(std::initializer_list<std::pair<std::wstring_view, std::uint32_t>> cases) {
  for (const auto& [text, number] : cases) {
    EXPECT_EQ(DwordNumberFromText(text), number) << "text: \"" << std::wstring(text) << '"';
  }
}

TEST(DwordNumber, ReadsTheNumberAtTheStartOfTheText) {
  ExpectNumbers({{L"258", 258},
                 {L"0", 0},
                 {L"  42 apples", 42},
                 {L"\t 7", 7},
                 {L"+9", 9},
                 {L"12.7.1", 13},
                 {L"0000000000000000007", 7}});
}

TEST(DwordNumber, TextThatDoesNotBeginWithANumberIsZero) {
  ExpectNumbers({{L"Yes", 0},
                 {L"No", 0},
                 {L"", 0},
                 {L"   ", 0},
                 {L"x12", 0},
                 {L"- 5", 0},
                 {L".", 0},
                 {L"-", 0},
                 {L"\u0663", 0} /* an Arabic-Indic three */});
}

TEST(DwordNumber, RoundsToTheNearestWholeNumberAndAnExactHalfToEven) {
  ExpectNumbers({{L"2.5", 2},
                 {L"3.5", 4},
                 {L"0.5", 0},
                 {L".5", 0},
                 {L"1.5", 2},
                 {L".6", 1},
                 {L"2.4999", 2},
                 {L"2.5000000000000000000001", 3},
                 {L"0.05", 0},
                 {L"-0.4", 0}});
}

TEST(DwordNumber, UnderstandsAnExponentOnlyWhenDigitsFollowIt) {
  ExpectNumbers({{L"1e3", 1000},
                 {L"2.5E1", 25},
                 {L"25e-1", 2},
                 {L"35e-1", 4},
                 {L"5e-1", 0},
                 {L"1e+2", 100},
                 {L"7e", 7},
                 {L"7e+", 7},
                 {L"7e-x", 7},
                 {L"1e-2000", 0},
                 {L"0e99999999999999999999", 0}});
}

TEST(DwordNumber, UnderstandsTheHexadecimalLiteralsThatReadsGive) {
  ExpectNumbers({{L"&h000100", 256},
                 {L"&H1f", 31},
                 {L"&h12345678", 0x12345678},
                 {L"&hFFFFFFFF", 0xFFFFFFFF},
                 {L"&h00000000FF", 255},
                 {L"&h", 0},
                 {L"&hG", 0},
                 {L"&h-1", 0},
                 {L" &h10", 16},
                 {L"&o17", 0}});
}

TEST(DwordNumber, NegativeNumbersAreStoredAsTheirTwosComplement) {
  ExpectNumbers({{L"-1", 0xFFFFFFFF}, {L"-2.5", 0xFFFFFFFE}, {L"-2147483648", 0x80000000}});
}

TEST(DwordNumber, NumbersBeyond32BitsHaveNoValue) {
  ExpectNumbers({{L"4294967295", 0xFFFFFFFF}, {L"4294967295.4", 0xFFFFFFFF}});
  for (const std::wstring_view text :
       {L"4294967296", L"4294967295.5", L"-2147483649", L"1e10", L"99999999999999999999",
        L"1e99999999999999999999", L"&h100000000", L"&h10000000000000000000"}) {
    EXPECT_EQ(DwordNumberFromText(text), std::nullopt) << std::wstring(text);
  }
}

}  // namespace
}  // namespace calmora
