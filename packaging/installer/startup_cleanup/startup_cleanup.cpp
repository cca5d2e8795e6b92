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

std::optional<std::wstring> ShortcutToDelete(std::wstring_view startupFolder,
                                             const std::optional<std::wstring>& target,
                                             std::wstring_view program, Machine& machine) {
  if (!target || !machine.SamePath(*target, program)) return std::nullopt;
  return ShortcutIn(startupFolder);
}

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
    const std::wstring shortcut = ShortcutIn(folder);
    const std::optional<std::wstring> target = machine.ShortcutTarget(shortcut);
    if (!target) continue;
    if (const std::optional<std::wstring> doomed =
            ShortcutToDelete(folder, target, request.program, machine)) {
      const std::uint32_t error = machine.Delete(*doomed);
      reports.push_back(
          {*doomed,
           error == 0 ? FolderReport::Outcome::kRemoved : FolderReport::Outcome::kCouldNotRemove,
           *target, error});
    } else {
      reports.push_back({shortcut, FolderReport::Outcome::kStartsSomethingElse, *target});
    }
  }
  return reports;
}

std::wstring Describe(const FolderReport& report) {
  switch (report.outcome) {
    case FolderReport::Outcome::kRemoved:
      return L"removed " + report.shortcut;
    case FolderReport::Outcome::kStartsSomethingElse:
      return L"kept " + report.shortcut + L": it starts " + report.target;
    case FolderReport::Outcome::kCouldNotRemove:
      return L"could not remove " + report.shortcut + L": error " + std::to_wstring(report.error);
  }
  return {};
}

}  // namespace calmora::startup_cleanup
