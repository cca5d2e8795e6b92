// Where the message box breaks lines and where Ctrl+Left and Ctrl+Right stop.
#include "app/message_window/word_breaks.h"

#include <gtest/gtest.h>

namespace calmora {
namespace {

TEST(WordBreaks, AreTheStartsOfWordsAfterBlanks) {
  const std::wstring_view text = L"Call me  at\t3, please-do";
  //                                0123456789012345678901234
  struct Row {
    std::size_t index, before, after;
  };
  const Row rows[] = {
      {0, 0, 5},     // at the start
      {3, 0, 5},     // inside the first word
      {5, 0, 9},     // at a word's start: the one before, the one after
      {8, 5, 9},     // in a run of blanks
      {12, 9, 15},   // after a tab
      {20, 15, 24},  // a hyphen is no break
      {24, 15, 24},  // at the end
  };
  for (const Row& row : rows) {
    EXPECT_EQ(WordStartBefore(text, row.index), row.before) << row.index;
    EXPECT_EQ(WordStartAfter(text, row.index), row.after) << row.index;
  }
  EXPECT_TRUE(IsWordBlank(L'\t'));
  EXPECT_FALSE(IsWordBlank(L'-'));
}

}  // namespace
}  // namespace calmora
