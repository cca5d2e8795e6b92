// The full form of a path, worked out as text alone, and the final path of an open file.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace calmora::startup_cleanup::win32 {

// "." and ".." resolved, and a relative path put against the current folder
// (GetFullPathNameW), which touches no disk and no network; the path as it was when that fails.
// No long names: finding them would open every folder on the way, wherever a user pointed it.
std::wstring FullPath(std::wstring_view path);

// Where the open file or folder really is, after every link on the way ("C:\Users\Ada\x.lnk",
// a share as "\\?\UNC\..."); "(unknown: error N, ...)", which names no file, when the system
// cannot say.
std::wstring FinalPath(HANDLE file);

}  // namespace calmora::startup_cleanup::win32
