// The state outside the program that a case sets up and checks: its own data folder, the
// settings in the registry's 32-bit view, the startup shortcut, and the user's record of the
// last message the login companion had shown. Each case starts clean and
// leaves nothing behind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/calmora_process.h"
#include "tests/support/scratch_folder.h"

namespace calmora::e2e {

struct RegistryValue {
  DWORD type;
  std::vector<std::uint8_t> data;
  bool operator==(const RegistryValue&) const = default;
};

RegistryValue TextValue(std::string_view text);  // REG_SZ with its terminating NUL

class MachineState {
 public:
  MachineState();
  MachineState(const MachineState&) = delete;
  MachineState& operator=(const MachineState&) = delete;
  ~MachineState();

  // This case's data folder as the program's "ProgramData", plus any other changes.
  CalmoraProcess::EnvironmentChanges Environment(
      CalmoraProcess::EnvironmentChanges changes = {}) const;
  // Starts Calmora with this case's data folder, plus any other environment changes.
  CalmoraProcess Start(CalmoraProcess::EnvironmentChanges changes = {},
                       std::wstring executable = {}, std::wstring workingFolder = {}) const;

  std::wstring MessageFolder() const;
  std::wstring MessageFile() const;
  void StoreMessage(const std::string& bytes) const;
  std::string StoredMessage() const;
  bool MessageFileExists() const;
  // When the message file was last written.
  FILETIME MessageWriteTime() const;
  // Every name in the message folder, sorted: the message file and anything left beside it.
  std::vector<std::wstring> MessageFolderNames() const;

  static std::wstring StartupShortcut();
  static bool ShortcutExists();
  // A file at the shortcut's path: what the program looks for is only that a file is there.
  static void PlaceShortcut();

  struct ShortcutTarget {
    std::wstring path;
    std::wstring workingDirectory;
  };
  // What the shortcut in the Startup folder starts, read back through the shell.
  static ShortcutTarget ReadShortcut();

  static bool SettingsKeyExists(const wchar_t* path);
  static std::optional<RegistryValue> Setting();
  static void StoreSetting(const RegistryValue& value);
  static void DeleteSetting();

  // HKEY_CURRENT_USER\SOFTWARE\Quillmoor\Calmora, "Last Message Shown", as text.
  static std::optional<std::wstring> LastMessageShown();
  static void DeleteLastMessageShown();

 private:
  static void Clean();
  testing::ScratchFolder data_;
};

}  // namespace calmora::e2e
