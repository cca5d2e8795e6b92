// The clean-up's `Machine` over the native API: the profiles in ProfileList, the drives' kinds,
// shortcuts opened by handle (win32_shortcut.h) and paths compared as Windows compares names.
// Every failure becomes "not there" for that one profile, with a line in the log saying why.
#pragma once

#include <string>

#include "packaging/installer/startup_cleanup/startup_cleanup.h"
#include "packaging/installer/startup_cleanup/win32/win32_shortcut.h"

namespace calmora::startup_cleanup::win32 {

class Win32Machine final : public Machine {
 public:
  // COM must be initialised on the calling thread: the shortcuts are read through it.
  explicit Win32Machine(Log log) : log_(std::move(log)) {}

  std::vector<std::wstring> ProfileFolders() override;
  bool IsFixedDrive(wchar_t letter) override;
  OpenedShortcut Open(const std::wstring& path) override;
  bool SamePath(std::wstring_view a, std::wstring_view b) override;

 private:
  Log log_;
};

}  // namespace calmora::startup_cleanup::win32
