// The clean-up's `Machine` over the native API: the profiles in ProfileList, shortcuts read
// through the shell's link object, paths compared and files deleted as Windows does it. Every
// failure becomes "not there" for that one profile, with a line in the log saying why.
#pragma once

#include <functional>
#include <string>

#include "packaging/installer/startup_cleanup/startup_cleanup.h"

namespace calmora::startup_cleanup::win32 {

class Win32Machine final : public Machine {
 public:
  using Log = std::function<void(const std::wstring&)>;
  // COM must be initialised on the calling thread: the shortcuts are read through it.
  explicit Win32Machine(Log log) : log_(std::move(log)) {}

  std::vector<std::wstring> ProfileFolders() override;
  std::optional<std::wstring> ShortcutTarget(const std::wstring& path) override;
  bool SamePath(std::wstring_view a, std::wstring_view b) override;
  std::uint32_t Delete(const std::wstring& path) override;

 private:
  Log log_;
};

}  // namespace calmora::startup_cleanup::win32
