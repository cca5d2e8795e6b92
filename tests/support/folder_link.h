// A folder replaced by a link to another folder, as the folder's owner can make one. Under Wine
// it is a Unix symbolic link, which Wine shows as a plain folder, not as a reparse point; on
// Windows, a directory symbolic link, which is one.
#pragma once

#include <string>

namespace calmora::testing {

// Makes `link`, which must not exist, a link to the folder `target`. False when this system does
// not let this account make one (on Windows, a standard user without developer mode).
bool MakeFolderLink(const std::wstring& link, const std::wstring& target);
// Makes `link` a symbolic link to the file `target`, as a user may leave one at a name that
// another program deletes. False where this account may not.
bool MakeFileLink(const std::wstring& link, const std::wstring& target);
// Whether `link` is still a link, and not a folder or file of its own.
bool IsFolderLink(const std::wstring& link);
// Removes the link itself, never what it points to.
void RemoveFolderLink(const std::wstring& link);

}  // namespace calmora::testing
