#include "app/message_window/okay_button.h"

#include "store/data_folder.h"
#include "store/message_file.h"

namespace calmora {

void Okay_Button_Click(const Services& services, const MessageEditBox& messageBox,
                       const LoadedMessage& loaded) {
  const std::wstring text = messageBox.Text();
  const OkayAction action = loaded.OkayDoes(text);
  if (action == OkayAction::kNothing) return;
  const std::wstring path = MessageFilePath(ResolveDataFolder(services.environment));
  if (action == OkayAction::kCreateEmptyIfNone) {
    services.files.CreateEmptyFileIfNone(path);
    return;
  }
  SaveMessageText(services.files, services.ansi, path, text, loaded.ReadAs());
}

}  // namespace calmora
