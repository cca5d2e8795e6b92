// The current user's Startup folder for a program that needs nothing else of the shell: shell32,
// which brings the windowing DLLs with it, is loaded only when the folder is asked for, so that a
// run that never asks never pays for it. It makes no folder and saves no shortcut: those are
// refused with ERROR_NOT_SUPPORTED.
#pragma once

#include "platform/shell.h"

namespace calmora::win32 {

class StartupFolderOnDemand final : public Shell {
 public:
  std::wstring StartupFolder() const override;
  std::wstring EnsureStartupFolder() override;
  void SaveShortcut(const std::wstring& linkPath, const ShortcutProperties& properties) override;
};

}  // namespace calmora::win32
