#include "app/message_window/word_breaks.h"

#include <algorithm>

namespace calmora {

bool IsWordBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

std::size_t WordStartBefore(std::wstring_view text, std::size_t index) {
  index = std::min(index, text.size());
  if (index > 0) --index;
  while (index > 0 && (IsWordBlank(text[index]) || !IsWordBlank(text[index - 1]))) --index;
  return index;
}

std::size_t WordStartAfter(std::wstring_view text, std::size_t index) {
  while (index < text.size() && !IsWordBlank(text[index])) ++index;
  while (index < text.size() && IsWordBlank(text[index])) ++index;
  return std::min(index, text.size());
}

}  // namespace calmora
