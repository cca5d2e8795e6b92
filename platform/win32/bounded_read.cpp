#include "platform/win32/bounded_read.h"

#include <algorithm>

#include "platform/win32/win32_error.h"

namespace calmora::win32 {

std::string ReadAllWithin(HANDLE file, std::size_t limit, const std::wstring& path) {
  std::string content;
  // The size is a first look only: a file already too large is not read at all, and one that fits
  // gets its room at once. Another program may still write to it while it is read.
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size)) {
    if (static_cast<ULONGLONG>(size.QuadPart) > limit) ThrowError(ERROR_FILE_TOO_LARGE, path);
    content.reserve(static_cast<std::size_t>(size.QuadPart));
  }
  char chunk[64 * 1024];
  for (;;) {
    // One byte past the limit is enough to tell that the file is too large.
    const std::size_t room = limit - content.size() + 1;
    const auto asked = static_cast<DWORD>(std::min(sizeof chunk, room));
    DWORD read = 0;
    if (!ReadFile(file, chunk, asked, &read, nullptr)) {
      // A pipe ends with its writer closing it, not with a read of nothing.
      if (GetLastError() == ERROR_BROKEN_PIPE) return content;
      ThrowLastError(path);
    }
    if (read == 0) return content;
    content.append(chunk, read);
    if (content.size() > limit) ThrowError(ERROR_FILE_TOO_LARGE, path);
  }
}

}  // namespace calmora::win32
