// The message file: exactly the message box's text as single-byte ANSI text, with no byte-order
// mark, header or added line break. This is the one place where the UI's UTF-16 text and the
// file's bytes are converted.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/ansi_code_page.h"
#include "platform/file_system.h"

namespace calmora {

std::unique_ptr<TextReader> OpenMessageFile(FileSystem& files, const std::wstring& path);

// The file's whole text. An empty file has no text to read and fails like any unreadable one.
std::wstring ReadMessageText(TextReader& reader, const AnsiCodePage& ansi);

// Replaces the message file with `text`; a save that fails leaves the previous message whole.
void SaveMessageText(FileSystem& files, const AnsiCodePage& ansi, const std::wstring& path,
                     std::wstring_view text);

}  // namespace calmora
