// How the login companion knows a message again: the SHA-256 of the file's bytes, stored per user
// as lower-case hex in HKEY_CURRENT_USER\SOFTWARE\Quillmoor\Calmora, "Last Message Shown".
#pragma once

#include <string>
#include <string_view>

#include "platform/sha256.h"
#include "settings/registry.h"

namespace calmora {

inline constexpr std::wstring_view kLastMessageShownValueName = L"Last Message Shown";

// 64 lower-case hex digits.
std::wstring FingerprintText(const Sha256Digest& digest);

// Whether `stored` names the message of `fingerprint`. Hex in either case counts, as PowerShell's
// Get-FileHash writes it in capitals; anything else is no fingerprint and matches nothing.
bool SameFingerprint(std::wstring_view stored, std::wstring_view fingerprint);

// The user's value as stored; empty when there is none or it cannot be read.
std::wstring ReadLastMessageShown(const Registry& registry);

// Stores the fingerprint, making the user's Calmora key when it is missing. Whether the registry
// took it is not looked at: a value that was not stored only shows the message once more.
void RecordLastMessageShown(const Registry& registry, std::wstring_view fingerprint);

}  // namespace calmora
