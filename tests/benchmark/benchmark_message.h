// The messages the benchmark measures with, in one fixed shape, so that figures from different
// days compare: lines of 60 to 120 characters of ordinary words, each ending in CRLF, the same
// lines every time for a given size. How long a message takes to show depends heavily on how
// many lines it has, so the shape is part of every figure.
#pragma once

#include <cstddef>
#include <string>

namespace calmora::benchmark {

inline constexpr const char* kMessageShape = "lines of 60 to 120 characters ending in CRLF";

// Exactly `size` bytes of ANSI text in that shape.
std::string MessageOfSize(std::size_t size);

// The kinds of message file a save keeps as they are: ANSI, as Calmora has always written it;
// UTF-8 without a mark, as Notepad writes it; UTF-16 LE with a mark, as Windows PowerShell 5.1
// writes it.
enum class FileKind { kAnsi, kUtf8, kUtf16 };
inline constexpr FileKind kFileKinds[] = {FileKind::kAnsi, FileKind::kUtf8, FileKind::kUtf16};
const char* NameOf(FileKind kind);

// The message of `size` in a file of that kind: the same text, but that UTF-8 has a first line of
// "Grüße" in place of as many bytes, so that it reads as UTF-8. UTF-16 files are twice the size.
struct MessageFile {
  std::string bytes;
  std::wstring text;
  // What the file holds once one more ASCII character is typed at its end and saved.
  std::size_t savedSize;
};
MessageFile MessageFileOf(std::size_t size, FileKind kind);

}  // namespace calmora::benchmark
