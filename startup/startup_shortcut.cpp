#include "startup/startup_shortcut.h"

#include "startup/startup_shortcut_name.h"

namespace calmora {
namespace {

constexpr std::wstring_view kDescription = L"Show a message to the User from the PC Tech.";

// The folder and the name are asked for at each use, so the shortcut follows the executable
// that makes it even when it has been renamed or moved.
std::wstring OwnExecutable(const ProgramLocation& program) {
  return program.OwnFolder() + L"\\" + program.OwnFileName() + L".exe";
}

std::wstring ShortcutPathIn(std::wstring folder) {
  folder += L"\\";
  folder += kStartupShortcutFileName;
  return folder;
}

}  // namespace

std::wstring StartupShortcutPath(const Shell& shell) {
  return ShortcutPathIn(shell.StartupFolder());
}

void CreateStartupShortcut(Shell& shell, const ProgramLocation& program) {
  const ShortcutProperties properties{
      .targetPath = OwnExecutable(program),
      // Icon number 0 of the executable itself: its application icon.
      .iconPath = OwnExecutable(program),
      .iconIndex = 0,
      .description = std::wstring(kDescription),
      .workingDirectory = program.OwnFolder(),
  };
  // A user whose Startup folder is missing gets one, as Windows would make it.
  shell.SaveShortcut(ShortcutPathIn(shell.EnsureStartupFolder()), properties);
}

void RemoveStartupShortcut(Shell& shell, FileSystem& files) {
  if (files.FileExists(StartupShortcutPath(shell))) files.Delete(StartupShortcutPath(shell));
}

bool StartupShortcutExists(const Shell& shell, const FileSystem& files) {
  return files.FileExists(StartupShortcutPath(shell));
}

}  // namespace calmora
