// UTF-8 and UTF-16 as the message file may hold them, to and from the UI's UTF-16 text. Bytes
// that do not decode become U+FFFD, one for each maximal ill-formed part, as Unicode recommends.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace calmora {

inline constexpr wchar_t kReplacementCharacter = L'\xFFFD';

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF, nothing cut short) and holds at least one character of more than one byte.
bool IsUtf8WithMultibyteCharacters(std::string_view bytes);

// The decoders write into `text` and say how many UTF-16 units they wrote. UTF-8 never needs more
// units than it has bytes; UTF-16 needs half its bytes, and one more for an odd last byte. Less
// room than that is a std::length_error.
std::size_t DecodeUtf8(std::string_view bytes, std::span<wchar_t> text);
// A trailing odd byte and unpaired surrogates decode as U+FFFD.
std::size_t DecodeUtf16(std::string_view bytes, bool bigEndian, std::span<wchar_t> text);

// Appends the encoded text to `bytes`, growing it once to exactly the size it needs, so that a
// message of many megabytes is written straight into the string that goes to the file. Unpaired
// surrogates, which are no character at all, are written as U+FFFD.
void AppendUtf8(std::wstring_view text, std::string& bytes);
void AppendUtf16(std::wstring_view text, bool bigEndian, std::string& bytes);

}  // namespace calmora
