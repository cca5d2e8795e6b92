// The message file: read once at the start, replaced by OKAY. This is the one place where the
// UI's UTF-16 text and the file's bytes are converted (see message_encoding.h).
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/ansi_code_page.h"
#include "platform/file_system.h"
#include "store/loaded_message.h"
#include "store/message_encoding.h"

namespace calmora {

// Where the message's text goes as it is read: room for up to `capacity` characters, written once
// and then committed with its real length. A message of many megabytes is so never held twice.
class TextReceiver {
 public:
  virtual ~TextReceiver() = default;
  virtual std::span<wchar_t> Reserve(std::size_t capacity) = 0;
  virtual void Commit(std::size_t length) = 0;
};

// Reads the file's whole text into `receiver`, in the encoding its bytes show, and says what was
// shown. The file's bytes are let go before the text is committed. An empty file has no text to
// read and fails like any unreadable one.
LoadedMessage ReadMessageInto(ByteReader& reader, const AnsiCodePage& ansi, TextReceiver& receiver);

// Replaces the message file with `text`, in the encoding that a file read as `readAs` keeps. A
// save that fails leaves the previous message whole.
void SaveMessageText(FileSystem& files, const AnsiCodePage& ansi, const std::wstring& path,
                     std::wstring_view text, MessageEncoding readAs);

}  // namespace calmora
