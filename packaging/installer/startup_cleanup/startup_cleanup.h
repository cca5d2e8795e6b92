// What the package's uninstall does about the Startup shortcuts that Calmora's Options made: in
// every local profile, the shortcut goes when it starts the Calmora.exe being removed, and stays
// when it starts anything else. Plain code over a small `Machine`; win32/ is the custom action
// that Windows Installer runs, as SYSTEM, on a full uninstall only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calmora::startup_cleanup {

// What the package hands the action in CustomActionData: "<program>|<AppData>". No path can hold
// a "|".
struct Request {
  // The Calmora.exe being removed.
  std::wstring program;
  // The uninstalling user's Roaming AppData folder, wherever it was redirected; may be empty.
  std::wstring userAppData;
  bool operator==(const Request&) const = default;
};
// Nothing when the data names no program.
std::optional<Request> ParseCustomActionData(std::wstring_view data);

// A profile's Startup folder where Windows makes it:
// "<profile>\AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Startup".
std::wstring StartupFolderOfProfile(std::wstring_view profileFolder);
// The Startup folder in a Roaming AppData folder.
std::wstring StartupFolderInAppData(std::wstring_view appData);
// Calmora's shortcut in a Startup folder.
std::wstring ShortcutIn(std::wstring_view startupFolder);

// The PC as the clean-up sees it. Nothing here throws for one profile's sake: what cannot be
// reached is reported as not there.
class Machine {
 public:
  virtual ~Machine() = default;
  // The folders of the profiles that Windows lists, in its order, with environment references
  // expanded; an entry whose folder cannot be read is left out.
  virtual std::vector<std::wstring> ProfileFolders() = 0;
  // The program that the shortcut at `path` starts; nothing when there is no file there or it
  // cannot be read as a shortcut.
  virtual std::optional<std::wstring> ShortcutTarget(const std::wstring& path) = 0;
  // Whether two paths name the same file, as Windows compares them: ignoring case.
  virtual bool SamePath(std::wstring_view a, std::wstring_view b) = 0;
  // Deletes the file: 0 when it did, otherwise the system's error number.
  virtual std::uint32_t Delete(const std::wstring& path) = 0;
};

// The decision for one Startup folder, given what its shortcut starts: the file to delete when
// that is the program being removed, nothing when it starts anything else or is not there.
std::optional<std::wstring> ShortcutToDelete(std::wstring_view startupFolder,
                                             const std::optional<std::wstring>& target,
                                             std::wstring_view program, Machine& machine);

struct FolderReport {
  enum class Outcome {
    kRemoved,              // it started the program being removed, and is gone
    kStartsSomethingElse,  // a shortcut of that name to another program, left alone
    kCouldNotRemove,       // it started the program, but deleting it failed: `error`
  };
  std::wstring shortcut;
  Outcome outcome;
  std::wstring target;
  std::uint32_t error = 0;
  bool operator==(const FolderReport&) const = default;
};

// Goes through the Startup folder of every profile, and then the uninstalling user's own, and
// deletes each shortcut that `ShortcutToDelete` names. A folder where nothing was done
// has no report; one folder's failure does not stop the others.
std::vector<FolderReport> RemoveStartupShortcuts(Machine& machine, const Request& request);

// One line for the installation log.
std::wstring Describe(const FolderReport& report);

}  // namespace calmora::startup_cleanup
