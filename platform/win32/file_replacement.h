// Replacing a file's whole content so that, at every instant, its path holds either the old
// content whole or the new content whole, even when the process is killed or the power fails
// part-way. Both functions here write into the file's folder only through its handle, opened once
// and refused when it is a link or leads elsewhere (see opened_folder.h): nothing is written then.
#pragma once

#include <string>
#include <string_view>

namespace calmora::win32 {

// Writes `bytes` to a temporary file beside `path`, flushes it, gives it the old file's security
// descriptor exactly (keeping the access list where the owner cannot be kept) and attributes (but
// never read-only, and always archive), and renames it over `path` in one step. Then clears what
// earlier saves that were killed left beside `path`, never touching a save that another running
// process still has in progress. A failure is a RuntimeError, and the old file is left as it was.
// The folder is not made here: when it has gone, nothing is created.
void ReplaceFileContents(const std::wstring& path, std::string_view bytes);

// Makes an empty file at `path` when there is none, in one step; false when there is one.
bool CreateEmptyFileIfNone(const std::wstring& path);

}  // namespace calmora::win32
