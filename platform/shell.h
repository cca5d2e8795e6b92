// The user's shell: where its Startup folder is, and how a shortcut file is written.
#pragma once

#include <string>

namespace calmora {

// What a shortcut holds. Anything not named here keeps the shell's default.
struct ShortcutProperties {
  std::wstring targetPath;
  std::wstring iconPath;
  int iconIndex = 0;
  std::wstring description;
  std::wstring workingDirectory;
  bool operator==(const ShortcutProperties&) const = default;
};

// Failures are RuntimeErrors carrying the system's error number.
class Shell {
 public:
  virtual ~Shell() = default;
  // The current user's Startup folder, without a trailing backslash. The shell starts what it
  // holds when that user logs in. A look never makes the folder.
  virtual std::wstring StartupFolder() const = 0;
  // The same folder, made first when it is missing, as Windows makes a known folder on demand.
  virtual std::wstring EnsureStartupFolder() = 0;
  // Writes the shortcut file at `linkPath` (replacing any file there). Nothing is written until
  // the whole shortcut is ready, so a failure leaves no half-made shortcut behind.
  virtual void SaveShortcut(const std::wstring& linkPath, const ShortcutProperties& properties) = 0;
};

}  // namespace calmora
