// The Windows shell's known folders and its shell-link objects. COM must already be initialised
// on the calling thread (a ComApartment held by the caller).
#pragma once

#include "platform/shell.h"

namespace calmora::win32 {

class Win32Shell final : public Shell {
 public:
  std::wstring StartupFolder() const override;
  std::wstring EnsureStartupFolder() override;
  void SaveShortcut(const std::wstring& linkPath, const ShortcutProperties& properties) override;
};

}  // namespace calmora::win32
