#include "packaging/installer/startup_cleanup/startup_cleanup.h"

#include "startup/startup_shortcut_name.h"

namespace calmora::startup_cleanup {
namespace {

constexpr std::wstring_view kStartupUnderAppData =
    L"Microsoft\\Windows\\Start Menu\\Programs\\Startup";

// Folders from Windows Installer end with a backslash ([AppDataFolder]), those from the registry
// do not: one backslash between the two parts either way.
std::wstring Join(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  path += name;
  return path;
}

}  // namespace

std::optional<Request> ParseCustomActionData(std::wstring_view data) {
  const std::size_t bar = data.find(L'|');
  Request request{std::wstring(data.substr(0, bar)), bar == std::wstring_view::npos
                                                         ? std::wstring()
                                                         : std::wstring(data.substr(bar + 1))};
  if (request.program.empty()) return std::nullopt;
  return request;
}

std::wstring StartupFolderOfProfile(std::wstring_view profileFolder) {
  return StartupFolderInAppData(Join(profileFolder, L"AppData\\Roaming"));
}

std::wstring StartupFolderInAppData(std::wstring_view appData) {
  return Join(appData, kStartupUnderAppData);
}

std::wstring ShortcutIn(std::wstring_view startupFolder) {
  return Join(startupFolder, kStartupShortcutFileName);
}

bool IsLocalFolder(std::wstring_view folder, Machine& machine) {
  const bool absolute =
      folder.size() >= 3 && folder[1] == L':' && folder[2] == L'\\' &&
      ((folder[0] >= L'A' && folder[0] <= L'Z') || (folder[0] >= L'a' && folder[0] <= L'z'));
  return absolute && machine.IsFixedDrive(folder[0]);
}

namespace {

// The one shortcut of a Startup folder, checked before anything is read from it: a user may
// have made the shortcut, or any folder on its way, a link to somewhere outside the profile.
std::optional<FolderReport> CleanFolder(Machine& machine, const std::wstring& folder,
                                        std::wstring_view program) {
  using enum FolderReport::Outcome;
  if (!IsLocalFolder(folder, machine)) return FolderReport{folder, kSkippedFolder};
  const std::wstring expected = ShortcutIn(folder);
  const OpenedShortcut opened = machine.Open(expected);
  switch (opened.refusal) {
    case OpenedShortcut::Refusal::kLinkOnTheWay:
      return FolderReport{expected, kRefusedLinkOnTheWay, opened.link};
    case OpenedShortcut::Refusal::kOplocked:
      return FolderReport{expected, kSkippedOplocked};
    case OpenedShortcut::Refusal::kNone:
      break;
  }
  const std::unique_ptr<OpenShortcut>& shortcut = opened.shortcut;
  if (!shortcut) return std::nullopt;
  if (shortcut->IsLink()) return FolderReport{expected, kRefusedLink};
  if (std::wstring final = shortcut->FinalPath(); !machine.SamePath(final, expected)) {
    return FolderReport{expected, kRefusedElsewhere, std::move(final)};
  }
  const std::optional<std::wstring> target = shortcut->Target();
  if (!target) return std::nullopt;
  // The target is only ever compared as text: opening it, even to find its long name, would
  // send SYSTEM wherever the user pointed it, a server's share included.
  if (!machine.SamePath(*target, program)) {
    return FolderReport{expected, kStartsSomethingElse, *target};
  }
  const std::uint32_t error = shortcut->Delete();
  return FolderReport{expected, error == 0 ? kRemoved : kCouldNotRemove, *target, error};
}

}  // namespace

std::vector<FolderReport> RemoveStartupShortcuts(Machine& machine, const Request& request) {
  std::vector<std::wstring> folders;
  for (const std::wstring& profile : machine.ProfileFolders()) {
    folders.push_back(StartupFolderOfProfile(profile));
  }
  // The uninstalling user's folder is usually one of the profiles' already, and then holds no
  // shortcut to the program any more; but it may have been redirected.
  if (!request.userAppData.empty()) folders.push_back(StartupFolderInAppData(request.userAppData));

  std::vector<FolderReport> reports;
  for (const std::wstring& folder : folders) {
    if (std::optional<FolderReport> report = CleanFolder(machine, folder, request.program)) {
      reports.push_back(std::move(*report));
    }
  }
  return reports;
}

std::wstring Describe(const FolderReport& report) {
  switch (report.outcome) {
    case FolderReport::Outcome::kRemoved:
      return L"removed " + report.shortcut;
    case FolderReport::Outcome::kStartsSomethingElse:
      return L"kept " + report.shortcut + L": it starts " + report.detail;
    case FolderReport::Outcome::kCouldNotRemove:
      return L"could not remove " + report.shortcut + L": error " + std::to_wstring(report.error);
    case FolderReport::Outcome::kRefusedLink:
      return L"refused " + report.shortcut + L": it is a link; left alone";
    case FolderReport::Outcome::kRefusedLinkOnTheWay:
      return L"refused " + report.shortcut + L": a link on the way, " + report.detail +
             L" (or a short name of a folder); not followed, left alone";
    case FolderReport::Outcome::kRefusedElsewhere:
      return L"refused " + report.shortcut + L": its final path is elsewhere, " + report.detail +
             L"; left alone";
    case FolderReport::Outcome::kSkippedOplocked:
      return L"skipped " + report.shortcut +
             L": another program holds it with an oplock; not waited for, left alone";
    case FolderReport::Outcome::kSkippedFolder:
      return L"skipped " + report.shortcut + L": not a folder on a local fixed drive";
  }
  return {};
}

namespace {

// How one character of a line reads in the template.
std::wstring Shown(wchar_t c) {
  switch (c) {
    case L'[':
    case L']':
    case L'{':
    case L'}':
      return {L'[', L'\\', c, L']'};
    case L'\r':
      return L"\\r";
    case L'\n':
      return L"\\n";
    case L'\t':
      return L"\\t";
    default:
      break;
  }
  // C0 controls, DEL and the C1 controls, NEL among them, which some viewers take as a line end.
  if (c >= L' ' && (c < 0x7F || c > 0x9F)) return {c};
  constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  return {L'\\', L'x', kDigits[(c >> 4) & 0xF], kDigits[c & 0xF]};
}

bool IsHighSurrogate(wchar_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

}  // namespace

std::wstring LogTemplate(std::wstring_view line) {
  std::wstring shown;
  std::size_t whole = 0;  // the template's length up to the last character that fits with the mark
  for (std::size_t i = 0; i < line.size(); ++i) {
    const std::wstring next = Shown(line[i]);
    if (shown.size() + next.size() > kLongestLogLine) {
      shown.resize(whole);
      // Half a pair of surrogates would show as neither character.
      if (whole > 0 && IsHighSurrogate(shown.back())) shown.pop_back();
      return shown += kCutMark;
    }
    shown += next;
    if (shown.size() + kCutMark.size() <= kLongestLogLine) whole = shown.size();
  }
  return shown;
}

}  // namespace calmora::startup_cleanup
