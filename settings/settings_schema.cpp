#include "settings/settings_schema.h"

namespace calmora {

void CreateSettingsKeys(const Registry& registry) {
  for (const std::wstring_view path : {kVendorKeyPath, kProductKeyPath, kSettingsKeyPath}) {
    registry.CreateRegistryKey(kSettingsRoot, path);
  }
}

std::wstring ReadRemoveFromStartupOnLogin(const Registry& registry) {
  return registry.ReadRegistryValue(kSettingsRoot, kSettingsKeyPath,
                                    kRemoveFromStartupOnLoginValueName);
}

bool WriteRemoveFromStartupOnLogin(const Registry& registry, bool removeFromStartupOnLogin) {
  return registry.WriteRegistryValue(kSettingsRoot, kSettingsKeyPath,
                                     kRemoveFromStartupOnLoginValueName,
                                     removeFromStartupOnLogin ? kYes : kNo);
}

bool RemoveFromStartupOnLoginAtLaunch(std::wstring_view text) {
  return text == kYes;
}

bool RemoveFromStartupOnLoginInOptions(std::wstring_view text) {
  return text != kNo;
}

}  // namespace calmora
