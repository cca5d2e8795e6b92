#include "app/message_window/okay_button.h"

#include "store/data_folder.h"
#include "store/message_file.h"

namespace calmora {

void Okay_Button_Click(const Services& services, const MessageEditBox& messageBox,
                       const LoadedMessage& loaded) {
  const std::wstring text = messageBox.Text();
  if (!loaded.OkayStores(text)) return;
  const std::wstring dataFolder = ResolveDataFolder(services.environment);
  SaveMessageText(services.files, services.ansi, MessageFilePath(dataFolder), text,
                  loaded.ReadAs());
}

}  // namespace calmora
