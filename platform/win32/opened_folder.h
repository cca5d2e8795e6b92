// A folder held open by its handle, and the files in it reached through that handle alone. A path
// is looked up afresh at every use, and whoever owns a folder on it may swap that folder for a
// link between two uses (a junction or mount point, or a symbolic link), sending the second use
// anywhere, even to a name of their choosing through an object-manager link. A name opened
// relative to a folder's handle is looked up in that folder and nowhere else.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace calmora::win32 {

// How a file in the folder is opened, in NtCreateFile's terms.
struct FileOpening {
  ACCESS_MASK access = 0;
  ULONG share = 0;
  ULONG disposition = 0;  // FILE_OPEN, FILE_CREATE
  ULONG attributes = FILE_ATTRIBUTE_NORMAL;
  PSECURITY_DESCRIPTOR security = nullptr;  // what a new file is born with; none: inherited
};

class OpenedFolder {
 public:
  // The folder at `path` itself, open to list it and to reach its files. It is refused with a
  // RuntimeError when it is a link or any other reparse point, or when its final path is not
  // `path`: a link further up, or one the system does not show as a reparse point (Wine shows a
  // Unix link as a plain folder). A missing folder is ERROR_PATH_NOT_FOUND.
  explicit OpenedFolder(std::wstring path);

  // `name` in this folder, for reports only: nothing is opened by it.
  std::wstring PathOf(std::wstring_view name) const;

  // The file `name` in this folder; never a folder, and a link itself when it is one, not what it
  // points to. Empty when that fails, with `error` set to the system's error number.
  UniqueFile Open(std::wstring_view name, const FileOpening& how, DWORD& error) const;
  // Whether `file`, opened here as `name`, is that very name in this folder and not what a link
  // leads to (a Unix link under Wine, which opens what it points to).
  bool Holds(HANDLE file, std::wstring_view name) const;
  // The names of the files in the folder, not of its subfolders. What cannot be listed is left
  // out.
  std::vector<std::wstring> FileNames() const;
  // Gives `file`, open on this volume, the name `name` in this folder, replacing a file (or a
  // link itself) of that name. `flags` are FileRenameInformationEx's; 0 is the plain rename that
  // every system offers. The system's error number, or ERROR_SUCCESS.
  DWORD MoveHere(HANDLE file, std::wstring_view name, ULONG flags) const;

 private:
  std::wstring path_;
  std::wstring finalPath_;
  UniqueFile folder_;
};

struct FolderAndName {
  std::wstring folder;
  std::wstring name;
};

// "C:\Data\Quillmoor\UserMessage.txt" as "C:\Data\Quillmoor" and "UserMessage.txt".
FolderAndName SplitPath(const std::wstring& path);

}  // namespace calmora::win32
