// The full form of a path, worked out as text alone.
#pragma once

#include <string>
#include <string_view>

namespace calmora::startup_cleanup::win32 {

// "." and ".." resolved, and a relative path put against the current folder
// (GetFullPathNameW), which touches no disk and no network; the path as it was when that fails.
// No long names: finding them would open every folder on the way, wherever a user pointed it.
std::wstring FullPath(std::wstring_view path);

}  // namespace calmora::startup_cleanup::win32
