#include "app/message_window/form_load.h"

#include <exception>

#include "font/display_font.h"
#include "settings/registry.h"
#include "settings/settings_schema.h"
#include "startup/launch_removal.h"
#include "store/data_folder.h"
#include "store/message_file.h"

namespace calmora {

LoadedMessage Form_Load(const Services& services, MessageEditBox& messageBox) {
  FileSystem& files = services.files;
  const std::wstring dataFolder = ResolveDataFolder(services.environment);
  const std::wstring messageFile = MessageFilePath(dataFolder);

  EnsureMessageFolder(files, dataFolder);

  ProvisionDisplayFont(files, services.environment, services.program, services.fonts);
  // The one-time start: when the technician asked for it, every launch takes the startup shortcut
  // away again, whether the shortcut started the program or not. The setting stays as it is.
  const Registry registry(services.registryApi, services.ansi);
  if (RemoveFromStartupOnLoginAtLaunch(ReadRemoveFromStartupOnLogin(registry))) {
    RemoveStartupShortcutAtLaunch(services.shell, files);
  }

  if (!files.FileExists(messageFile)) return LoadedMessage::NoFile();
  LoadedMessage loaded = LoadedMessage::NotShown();
  const auto reader = files.OpenForReading(messageFile);
  try {
    loaded = ReadMessageInto(*reader, services.ansi, messageBox);
  } catch (const std::exception&) {
    // An empty or unreadable message shows as no message at all.
  }
  reader->Close();
  return loaded;
}

}  // namespace calmora
