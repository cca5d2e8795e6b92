// What the package's uninstall does about the Startup shortcuts that Calmora's Options made: in
// every local profile, the shortcut goes when it starts the Calmora.exe being removed, and stays
// when it starts anything else. Plain code over a small `Machine`; win32/ is the custom action
// that Windows Installer runs, as SYSTEM, once a full uninstall has succeeded. Every folder it
// looks into belongs to a user, who may have put links there.
#pragma once

#include <cstdint>
#include <memory>
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

// A Startup shortcut held open, by handle, from the moment it is found until it is deleted: what
// the handle says is about the file that will be deleted, whatever its folder's links do meanwhile.
class OpenShortcut {
 public:
  virtual ~OpenShortcut() = default;
  // A link itself: a reparse point, which the handle was opened on without following it, or one
  // of several names of a file that may lie anywhere on the drive.
  virtual bool IsLink() = 0;
  // Where the open file really is, after every link on the way: "C:\Users\Ada\...\x.lnk".
  virtual std::wstring FinalPath() = 0;
  // The program it starts, read from the open file's bytes; nothing when they are not a shortcut.
  virtual std::optional<std::wstring> Target() = 0;
  // Deletes the open file: 0 when it did, otherwise the system's error number.
  virtual std::uint32_t Delete() = 0;
};

// What opening a Startup shortcut found.
struct OpenedShortcut {
  enum class Refusal {
    kNone,          // `shortcut` holds the file, or there is none
    kLinkOnTheWay,  // a folder on the way, `link`, is a link or leads elsewhere: not followed
    kOplocked,      // another program holds an oplock on it, whose break would be waited for
  };
  // The file when it was opened; nothing when it is not there or was refused.
  std::unique_ptr<OpenShortcut> shortcut = nullptr;
  Refusal refusal = Refusal::kNone;
  std::wstring link = {};
};

// The PC as the clean-up sees it. Nothing here throws for one profile's sake: what cannot be
// reached is reported as not there.
class Machine {
 public:
  virtual ~Machine() = default;
  // The folders of the profiles that Windows lists, in its order, with environment references
  // expanded; an entry whose folder cannot be read is left out.
  virtual std::vector<std::wstring> ProfileFolders() = 0;
  // Whether the drive with this letter is a local fixed disk (not removable, mapped or remote).
  virtual bool IsFixedDrive(wchar_t letter) = 0;
  // The file at `path`, opened once, following no link on its way nor at the file itself, and
  // shared with readers only, never waiting for another program to give it up; no shortcut when
  // there is none, or it cannot be opened so.
  virtual OpenedShortcut Open(const std::wstring& path) = 0;
  // Whether two paths name the same file, as text: each made full ("." and ".." resolved, which
  // touches no disk and no network), then compared as Windows compares names, ignoring case.
  virtual bool SamePath(std::wstring_view a, std::wstring_view b) = 0;
};

// Whether SYSTEM may look into the folder: an absolute path ("X:\...") on a local fixed drive.
// Never a relative path, which would resolve against SYSTEM's own current folder, nor a share
// ("\\server\...", "\\?\UNC\..."), which SYSTEM would reach as the computer's account.
bool IsLocalFolder(std::wstring_view folder, Machine& machine);

struct FolderReport {
  enum class Outcome {
    kRemoved,              // it started the program being removed, and is gone
    kStartsSomethingElse,  // a shortcut of that name to another program, left alone: `detail`
    kCouldNotRemove,       // it started the program, but deleting it failed: `error`
    kRefusedLink,          // the file is a link itself, left alone unread
    kRefusedLinkOnTheWay,  // a folder on the way, `detail`, is a link: not followed
    kRefusedElsewhere,     // its final path is elsewhere, `detail`: left alone unread
    kSkippedOplocked,      // another program holds it with an oplock: not waited for
    kSkippedFolder,        // `shortcut` is its folder, where SYSTEM does not look
  };
  std::wstring shortcut;
  Outcome outcome;
  std::wstring detail = {};
  std::uint32_t error = 0;
  bool operator==(const FolderReport&) const = default;
};

// Goes through the Startup folder of every profile, and then the uninstalling user's own, and
// deletes each shortcut that starts the program being removed, when it is where it should be. A
// folder where nothing was found has no report; one folder's failure does not stop the others.
std::vector<FolderReport> RemoveStartupShortcuts(Machine& machine, const Request& request);

// One line for the installation log.
std::wstring Describe(const FolderReport& report);

// A line as MsiProcessMessage takes it for its template, so that the log shows the text as it
// is, whoever chose it: the brackets and braces the installer would format escaped ("[\[]"),
// control characters shown as text ("\r", "\n", "\t", "\x1B"; a backslash stays one, as paths are
// full of them, so no control character ever starts a line), and the template at most
// kLongestLogLine characters long, ending in kCutMark when the line was cut.
inline constexpr std::size_t kLongestLogLine = 1024;
inline constexpr std::wstring_view kCutMark = L"... (cut)";
std::wstring LogTemplate(std::wstring_view line);

}  // namespace calmora::startup_cleanup
