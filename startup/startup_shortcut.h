// The program's shortcut in the current user's Startup folder, which makes it start at that
// user's next login. The file itself is the only record of that wish: every question about it is
// answered by looking at the file system anew, and its path is built afresh at every use.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/program_location.h"
#include "platform/shell.h"

namespace calmora {

// The Startup folder, "\", "Calmora - Display a Message from a Support Person", ".lnk".
std::wstring StartupShortcutPath(const Shell& shell);

// Writes the shortcut to the running executable, under whatever name it runs, making the Startup
// folder first when it is missing. It does not look for an existing shortcut first: its callers
// decide that.
void CreateStartupShortcut(Shell& shell, const ProgramLocation& program);

// Deletes the shortcut when it is there; when it is not, nothing happens and nothing fails.
void RemoveStartupShortcut(Shell& shell, FileSystem& files);

bool StartupShortcutExists(const Shell& shell, const FileSystem& files);

}  // namespace calmora
