#include "app/message_window/okay_button.h"

#include "store/data_folder.h"
#include "store/message_file.h"

namespace calmora {

void Okay_Button_Click(const Services& services, const MessageBoxText& messageBox) {
  const std::wstring dataFolder = ResolveDataFolder(services.environment);
  SaveMessageText(services.files, services.ansi, MessageFilePath(dataFolder), messageBox.Text());
}

}  // namespace calmora
