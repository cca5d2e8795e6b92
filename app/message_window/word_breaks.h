// Where the message box may break a line, and where Ctrl+Left and Ctrl+Right stop: after the
// blanks between words, as the edit control's documented default does. Wine's own default also
// looks for every break that Unicode allows, which costs a pass over the whole text and a byte of
// memory per character before a long message can show.
#pragma once

#include <cstddef>
#include <string_view>

namespace calmora {

bool IsWordBlank(wchar_t c);
// The nearest start of a word strictly before `index`, or 0.
std::size_t WordStartBefore(std::wstring_view text, std::size_t index);
// The next start of a word after `index`, or the end of the text.
std::size_t WordStartAfter(std::wstring_view text, std::size_t index);

}  // namespace calmora
