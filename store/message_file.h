// The message file: read once at the start, replaced by OKAY. This is the one place where the
// UI's UTF-16 text and the file's bytes are converted (see message_encoding.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/ansi_code_page.h"
#include "platform/file_system.h"
#include "store/message_encoding.h"

namespace calmora {

struct MessageText {
  std::wstring text;
  MessageEncoding encoding;
};

std::unique_ptr<TextReader> OpenMessageFile(FileSystem& files, const std::wstring& path);

// The file's whole text and the encoding it was read in. An empty file has no text to read and
// fails like any unreadable one.
MessageText ReadMessageText(TextReader& reader, const AnsiCodePage& ansi);

// Replaces the message file with `text`, in the encoding that a file read as `readAs` keeps. A
// save that fails leaves the previous message whole.
void SaveMessageText(FileSystem& files, const AnsiCodePage& ansi, const std::wstring& path,
                     std::wstring_view text, MessageEncoding readAs);

}  // namespace calmora
