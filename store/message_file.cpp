#include "store/message_file.h"

namespace calmora {

std::unique_ptr<TextReader> OpenMessageFile(FileSystem& files, const std::wstring& path) {
  return files.OpenForReading(path);
}

std::wstring ReadMessageText(TextReader& reader, const AnsiCodePage& ansi) {
  return ansi.Decode(reader.ReadAll());
}

void SaveMessageText(FileSystem& files, const AnsiCodePage& ansi, const std::wstring& path,
                     std::wstring_view text) {
  files.ReplaceContents(path, ansi.Encode(text));
}

}  // namespace calmora
