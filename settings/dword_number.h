// The number that a text stands for when it is written into a REG_DWORD value.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace calmora {

// The number that `text` begins with, as the 32 bits of a REG_DWORD. Leading blanks are skipped
// and reading stops at the first character that cannot continue the number; a text that does not
// begin with one, such as "Yes", gives 0. Understood are decimal numbers with an optional sign,
// fraction and exponent ("-12", "2.5", "1e3"), rounded to a whole number with an exact half going
// to the even neighbour, and hexadecimal literals as a read of a REG_DWORD gives them ("&h1F"), so
// that what was read can be written back unchanged. A whole number from 0 to 4294967295 is stored
// as it is and one from -2147483648 to -1 as its two's complement, so "-1" and "&hFFFFFFFF" store
// the same bits. Anything larger has no 32-bit form: the result is then empty, rather than some
// other number that the text did not say.
std::optional<std::uint32_t> DwordNumberFromText(std::wstring_view text);

}  // namespace calmora
