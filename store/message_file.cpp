#include "store/message_file.h"

namespace calmora {

std::unique_ptr<TextReader> OpenMessageFile(FileSystem& files, const std::wstring& path) {
  return files.OpenForReading(path);
}

MessageText ReadMessageText(TextReader& reader, const AnsiCodePage& ansi) {
  const std::string bytes = reader.ReadAll();
  const MessageEncoding encoding = DetectMessageEncoding(bytes);
  return {DecodeMessage(bytes, encoding, ansi), encoding};
}

void SaveMessageText(FileSystem& files, const AnsiCodePage& ansi, const std::wstring& path,
                     std::wstring_view text, MessageEncoding readAs) {
  files.ReplaceContents(path, EncodeMessage(text, readAs, ansi).bytes);
}

}  // namespace calmora
