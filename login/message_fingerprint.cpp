#include "login/message_fingerprint.h"

#include "settings/settings_schema.h"

namespace calmora {
namespace {

// The user's own hive. Registry opens every key in the 32-bit view, as it does the machine's
// settings; HKEY_CURRENT_USER\SOFTWARE is one key in both views, so 64-bit tools see the value at
// the same path.
constexpr RegistryKey kRecordRoot = kHkeyCurrentUser;

int HexDigitValue(wchar_t digit) {
  if (digit >= L'0' && digit <= L'9') return digit - L'0';
  if (digit >= L'a' && digit <= L'f') return digit - L'a' + 10;
  if (digit >= L'A' && digit <= L'F') return digit - L'A' + 10;
  return -1;
}

}  // namespace

std::wstring FingerprintText(const Sha256Digest& digest) {
  constexpr std::wstring_view kDigits = L"0123456789abcdef";
  std::wstring text;
  text.reserve(digest.size() * 2);
  for (const std::uint8_t byte : digest) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

bool SameFingerprint(std::wstring_view stored, std::wstring_view fingerprint) {
  if (stored.size() != fingerprint.size()) return false;
  // `fingerprint` is all hex digits, so no other character of `stored` matches.
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (HexDigitValue(stored[i]) != HexDigitValue(fingerprint[i])) return false;
  }
  return true;
}

std::wstring ReadLastMessageShown(const Registry& registry) {
  return registry.ReadRegistryValue(kRecordRoot, kProductKeyPath, kLastMessageShownValueName);
}

void RecordLastMessageShown(const Registry& registry, std::wstring_view fingerprint) {
  registry.CreateRegistryKey(kRecordRoot, kProductKeyPath);
  registry.WriteRegistryValue(kRecordRoot, kProductKeyPath, kLastMessageShownValueName,
                              fingerprint);
}

}  // namespace calmora
