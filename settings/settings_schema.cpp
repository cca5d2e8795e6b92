#include "settings/settings_schema.h"

namespace calmora {

void CreateSettingsKeys(const Registry& registry) {
  for (const std::wstring_view path : {kVendorKeyPath, kProductKeyPath, kSettingsKeyPath}) {
    registry.CreateRegistryKey(kSettingsRoot, path);
  }
}

std::wstring ReadRemoveFromStartupOnLogin(const Registry& registry) {
  return registry.ReadRegistryValue(kSettingsRoot, kSettingsKeyPath, kRemoveFromStartupValueName);
}

bool WriteRemoveFromStartupOnLogin(const Registry& registry, bool remove) {
  return registry.WriteRegistryValue(kSettingsRoot, kSettingsKeyPath, kRemoveFromStartupValueName,
                                     remove ? kYes : kNo);
}

bool AsksLaunchToRemoveStartup(std::wstring_view text) {
  return text == kYes;
}

bool OptionsShowsRemoveChecked(std::wstring_view text) {
  return text != kNo;
}

}  // namespace calmora
