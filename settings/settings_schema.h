// The program's one setting, "Remove From Startup on Login": where it lives in the registry, the
// texts it holds, and what each reader makes of them. Nothing else names these keys or texts.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry_api.h"
#include "settings/registry.h"

namespace calmora {

inline constexpr RegistryKey kSettingsRoot = kHkeyLocalMachine;
inline constexpr std::wstring_view kVendorKeyPath = L"SOFTWARE\\Quillmoor";
inline constexpr std::wstring_view kProductKeyPath = L"SOFTWARE\\Quillmoor\\Calmora";
inline constexpr std::wstring_view kSettingsKeyPath = L"SOFTWARE\\Quillmoor\\Calmora\\Settings";
inline constexpr std::wstring_view kRemoveFromStartupOnLoginValueName =
    L"Remove From Startup on Login";
inline constexpr std::wstring_view kYes = L"Yes";
inline constexpr std::wstring_view kNo = L"No";

// Creates the vendor, product and settings keys, from the top down; whether that worked is not
// looked at, a later write simply fails when it did not.
void CreateSettingsKeys(const Registry& registry);

// The setting's text as stored; empty when it has never been written or cannot be read.
std::wstring ReadRemoveFromStartupOnLogin(const Registry& registry);

// Stores "Yes" when the next launch should take the startup shortcut away, else "No". The keys
// are not created here. The result says whether the registry accepted the text.
bool WriteRemoveFromStartupOnLogin(const Registry& registry, bool removeFromStartupOnLogin);

// The setting as the launch reads it: on only for exactly "Yes"; any other text, a missing value
// included, is off and leaves the shortcut.
bool RemoveFromStartupOnLoginAtLaunch(std::wstring_view text);

// The setting as the Options window shows it: ticked for everything but exactly "No", so a
// missing value shows ticked there although the launch reads it as off.
bool RemoveFromStartupOnLoginInOptions(std::wstring_view text);

}  // namespace calmora
