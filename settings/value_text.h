// How a registry value's data reads as text, and how text is written as data, by the value's
// type. Only REG_SZ and REG_DWORD have a text form.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ansi_code_page.h"

namespace calmora {

// The text of `data` as stored under `type`. A single NUL at the very end is dropped first, for
// every type, so a text stored with or without its terminator reads the same; any NUL before it
// stays part of the text. REG_SZ is ANSI text. REG_DWORD reads as a hexadecimal literal, "&h"
// and two uppercase digits a byte from the last byte to the first (256 reads "&h000100": its
// zero top byte went as the trailing NUL). Data of any other type, and no data at all, read as
// empty text.
std::wstring TextFromValueData(std::uint32_t type, std::span<const std::uint8_t> data,
                               const AnsiCodePage& ansi);

// The data that `text` is written as into a value of `type`: REG_SZ as ANSI text and one NUL,
// REG_DWORD as the four bytes of the number that the text begins with, least significant first.
// Empty when the text has no form of that type: a number that does not fit 32 bits, or a type
// other than those two, whose data the text could only garble.
std::optional<std::vector<std::uint8_t>> ValueDataFromText(std::uint32_t type,
                                                           std::wstring_view text,
                                                           const AnsiCodePage& ansi);

}  // namespace calmora
