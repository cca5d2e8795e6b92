// Privileges of the process's token.
#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace calmora::win32 {

// Switches a privilege of the process's token on for one scope, when the token holds it, and
// puts it back as it was afterwards. Without the token holding it, nothing changes.
class ScopedPrivilege {
 public:
  explicit ScopedPrivilege(const wchar_t* name) {
    TOKEN_PRIVILEGES wanted{1, {{{}, SE_PRIVILEGE_ENABLED}}};
    if (!LookupPrivilegeValueW(nullptr, name, &wanted.Privileges[0].Luid) ||
        !OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                          token_.put())) {
      return;
    }
    DWORD size = 0;
    // Only what changed is recorded in `previous_`: a privilege already on stays on.
    if (!AdjustTokenPrivileges(token_.get(), FALSE, &wanted, sizeof previous_, &previous_, &size)) {
      previous_.PrivilegeCount = 0;
    }
  }
  ScopedPrivilege(const ScopedPrivilege&) = delete;
  ScopedPrivilege& operator=(const ScopedPrivilege&) = delete;
  ~ScopedPrivilege() {
    if (token_ && previous_.PrivilegeCount > 0) {
      AdjustTokenPrivileges(token_.get(), FALSE, &previous_, 0, nullptr, nullptr);
    }
  }

 private:
  UniqueHandle token_;
  TOKEN_PRIVILEGES previous_{};
};

}  // namespace calmora::win32
