#include "app/options_window/options_form.h"

#include "settings/registry.h"
#include "settings/settings_schema.h"
#include "startup/startup_shortcut.h"

namespace calmora {

OptionsCheckBoxes Options_Form_Load(const Services& services) {
  const bool shortcutPresent = StartupShortcutExists(services.shell, services.files);
  const Registry registry(services.registryApi, services.ansi);
  CreateSettingsKeys(registry);
  if (!shortcutPresent) return {kUnchecked, kChecked};
  return {kChecked, CheckBoxValueOf(
                        RemoveFromStartupOnLoginInOptions(ReadRemoveFromStartupOnLogin(registry)))};
}

CloseOutcome Close_Button_Click(const Services& services, const OptionsCheckBoxes& boxes) {
  bool shortcutPresent = StartupShortcutExists(services.shell, services.files);
  if (IsChecked(boxes.inUsersStartup)) {
    // A shortcut already there is left as it is, wherever it points.
    if (!shortcutPresent) CreateStartupShortcut(services.shell, services.program);
    shortcutPresent = true;
  } else {
    RemoveStartupShortcut(services.shell, services.files);
    shortcutPresent = false;
  }
  const bool removeFromStartupOnLogin = shortcutPresent && IsChecked(boxes.removeAfterReboot);
  const Registry registry(services.registryApi, services.ansi);
  if (WriteRemoveFromStartupOnLogin(registry, removeFromStartupOnLogin)) {
    return {shortcutPresent, true, removeFromStartupOnLogin};
  }
  return {shortcutPresent, false,
          RemoveFromStartupOnLoginAtLaunch(ReadRemoveFromStartupOnLogin(registry))};
}

std::wstring SettingNotStoredNotice(const CloseOutcome& outcome) {
  std::wstring notice =
      L"Calmora could not save whether to remove it from the Startup folder at the next login.";
  if (outcome.shortcutPresent && outcome.removeFromStartupOnLogin) {
    notice +=
        L"\n\nThe setting saved before stays: Calmora starts at the next login and then removes "
        L"its shortcut from the Startup folder.";
  } else if (outcome.shortcutPresent) {
    notice +=
        L"\n\nThe shortcut stays in the Startup folder, and Calmora starts at every login, "
        L"until the shortcut is removed.";
  }
  return notice;
}

}  // namespace calmora
