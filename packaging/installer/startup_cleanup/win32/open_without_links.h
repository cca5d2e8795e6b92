// Opening a file under folders that users own, as SYSTEM, without going where they point. A path
// opened by name follows every junction, symbolic link and mount point on its way, and a user who
// owns one folder on it can send the open anywhere on the PC, or to another machine, and can swap
// the folder between a check and the open. Here the path is opened one name at a time, each name
// relative to the handle of the folder before it and never followed when it is a link: what
// happens to the names meanwhile cannot move a folder that is already open.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace calmora::startup_cleanup::win32 {

struct OpenedWithoutLinks {
  // The file, open with the access and sharing asked for, when it is there and nothing on its
  // way is a link. A link at the file itself is opened, not followed: its attributes say so.
  calmora::win32::UniqueFile file;
  // Why not, when `file` is empty, `link` is too and nothing is `oplocked`: the system's error
  // number.
  DWORD error = ERROR_SUCCESS;
  // The folder on the way that is a link, or whose final path is not its path, when that is why
  // not: under Wine a Unix link is no reparse point, and only its final path gives it away.
  std::wstring link;
  // Another program holds an oplock on a name on the way, whose break is pending: the open
  // completed at once, without waiting for it to be acknowledged, and was let go.
  bool oplocked = false;
};

// `path` is a full path on a local drive, "X:\...": the drive's root is opened by name, every
// name after it through the folder before it.
OpenedWithoutLinks OpenWithoutFollowingLinks(const std::wstring& path, ACCESS_MASK access,
                                             ULONG share);

}  // namespace calmora::startup_cleanup::win32
