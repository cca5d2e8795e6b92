// Where the message lives: a folder of its own under the machine-wide application-data folder,
// shared by every account on the computer.
#pragma once

#include <string>
#include <string_view>

#include "platform/environment.h"
#include "platform/file_system.h"

namespace calmora {

// "ProgramData", or on systems without it "AllUsersProfile" + "\Application Data". The values are
// used as they are: a missing variable gives a path at the root of the current drive.
std::wstring ResolveDataFolder(const Environment& environment);

std::wstring MessageFolderPath(std::wstring_view dataFolder);
std::wstring MessageFilePath(std::wstring_view dataFolder);

// Makes the message folder when it is missing; only its last level, never the data folder.
void EnsureMessageFolder(FileSystem& files, std::wstring_view dataFolder);

}  // namespace calmora
