// Reading a file whose bytes another user may control, never holding more of it than a limit.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace calmora::win32 {

// The bytes from the file's position to its end, or ERROR_FILE_TOO_LARGE when they are more than
// `limit`: however the file grows while it is read, and when its size cannot be asked (a pipe, a
// device), no more than one byte past the limit is ever read.
std::string ReadAllWithin(HANDLE file, std::size_t limit, const std::wstring& path);

}  // namespace calmora::win32
