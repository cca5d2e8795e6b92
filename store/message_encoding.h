// How the message file's bytes stand for its text. Other tools write the file too: Notepad saves
// UTF-8, Windows PowerShell UTF-16 with a byte-order mark. The encoding is read from the bytes and
// kept on save; plain ANSI text stays byte for byte what it was.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "platform/ansi_code_page.h"

namespace calmora {

enum class MessageEncoding {
  // Single-byte (or the system's multi-byte) ANSI code page, with no byte-order mark.
  kAnsi,
  kUtf8,
  kUtf8WithBom,
  // UTF-16 is only ever recognised by its byte-order mark, and keeps it.
  kUtf16LittleEndian,
  kUtf16BigEndian,
};

// The edit box cannot hold a NUL character: each NUL of the file shows as this visible stand-in,
// so that the text after it shows too. It is an ordinary character once shown: a box saved after
// an edit stores it as itself, since nothing typed is ever changed into something else.
inline constexpr wchar_t kNulStandIn = L'\x2400';  // SYMBOL FOR NULL

// EF BB BF is UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16 big-endian. Without a mark, bytes
// that are well-formed UTF-8 with at least one character beyond ASCII are UTF-8; anything else
// is the ANSI code page, as the file has always been.
MessageEncoding DetectMessageEncoding(std::string_view bytes);

// The room that decoding `bytes` needs, in UTF-16 units.
std::size_t DecodedLengthLimit(std::string_view bytes, MessageEncoding encoding);

// Writes the text the bytes stand for, without the byte-order mark, into `text`, which has at
// least DecodedLengthLimit units of room, and says how many units it wrote. Bytes the encoding
// cannot decode show as U+FFFD; NULs show as kNulStandIn.
std::size_t DecodeMessage(std::string_view bytes, MessageEncoding encoding,
                          const AnsiCodePage& ansi, std::span<wchar_t> text);

struct EncodedMessage {
  MessageEncoding encoding;
  std::string bytes;
};

// The bytes a save writes. A file read as UTF-8 or UTF-16 keeps that encoding and its mark, or
// its lack of one; a new file, or one read as ANSI, stays ANSI. That holds as long as the bytes
// read back as the same text, each unpaired surrogate as U+FFFD as no encoding can hold it;
// otherwise the file becomes UTF-8 with a byte-order mark. Beyond the bytes it returns, it takes
// memory of a fixed size however large the text, but for a long stretch of double-byte ANSI
// characters in which the check finds no place to cut.
EncodedMessage EncodeMessage(std::wstring_view text, MessageEncoding readAs,
                             const AnsiCodePage& ansi);

}  // namespace calmora
