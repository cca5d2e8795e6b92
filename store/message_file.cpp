#include "store/message_file.h"

namespace calmora {

LoadedMessage ReadMessageInto(ByteReader& reader, const AnsiCodePage& ansi,
                              TextReceiver& receiver) {
  std::string bytes = reader.ReadAll();
  const MessageEncoding encoding = DetectMessageEncoding(bytes);
  const std::span<wchar_t> room = receiver.Reserve(DecodedLengthLimit(bytes, encoding));
  const std::size_t length = DecodeMessage(bytes, encoding, ansi, room);
  // The bytes go before the receiver takes up the text: for a box that means laying out every
  // line, the moment a large message needs the most memory.
  std::string().swap(bytes);
  const LoadedMessage shown = LoadedMessage::Shown({room.data(), length}, encoding);
  receiver.Commit(length);
  return shown;
}

void SaveMessageText(FileSystem& files, const AnsiCodePage& ansi, const std::wstring& path,
                     std::wstring_view text, MessageEncoding readAs) {
  files.ReplaceContents(path, EncodeMessage(text, readAs, ansi).bytes);
}

}  // namespace calmora
