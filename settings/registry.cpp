#include "settings/registry.h"

#include <algorithm>
#include <array>
#include <span>

#include "settings/scoped_registry_key.h"
#include "settings/value_text.h"

namespace calmora {
namespace {

// The program has always run as a 32-bit process, so its keys live in the 32-bit view of the
// registry; a 64-bit build must ask for that view to find them where they have always been.
constexpr std::uint32_t kView = kKeyWow64_32Key;
// Each call asks only for the rights it uses: a user who may read a key but not change it still
// reads its values.
constexpr std::uint32_t kReadAccess = kKeyQueryValue | kView;
constexpr std::uint32_t kWriteAccess = kKeyQueryValue | kKeySetValue | kView;
constexpr std::uint32_t kCreateAccess = kKeyCreateSubKey | kView;

// Values are always fetched through a buffer of this size: longer data is neither read nor
// overwritten, and never written either, since it would read back as empty text.
constexpr std::uint32_t kTransferSize = 1024;

struct QueriedValue {
  long status = kErrorSuccess;
  std::uint32_t type = 0;
  std::array<std::uint8_t, kTransferSize> buffer{};
  std::uint32_t size = kTransferSize;

  std::span<const std::uint8_t> Data() const {
    return std::span(buffer).first(std::min(size, kTransferSize));
  }
};

QueriedValue QueryValue(RegistryApi& api, RegistryKey key, const std::string& valueName) {
  QueriedValue value;
  value.status = api.QueryValueEx(key, valueName, &value.type, value.buffer.data(), &value.size);
  return value;
}

}  // namespace

Registry::Registry(RegistryApi& api, const AnsiCodePage& ansi) : api_(api), ansi_(ansi) {}

void Registry::CreateRegistryKey(RegistryKey root, std::wstring_view keyPath) const {
  RegistryKey key = 0;
  if (api_.CreateKeyEx(root, ansi_.Encode(keyPath), kCreateAccess, &key) != kErrorSuccess) return;
  const ScopedRegistryKey created(api_, key);
}

std::wstring Registry::ReadRegistryValue(RegistryKey root, std::wstring_view keyPath,
                                         std::wstring_view valueName) const {
  RegistryKey key = 0;
  if (api_.OpenKeyEx(root, ansi_.Encode(keyPath), kReadAccess, &key) != kErrorSuccess) return {};
  const ScopedRegistryKey opened(api_, key);

  const QueriedValue value = QueryValue(api_, opened.get(), ansi_.Encode(valueName));
  if (value.status != kErrorSuccess) return {};
  return TextFromValueData(value.type, value.Data(), ansi_);
}

bool Registry::WriteRegistryValue(RegistryKey root, std::wstring_view keyPath,
                                  std::wstring_view valueName, std::wstring_view text) const {
  RegistryKey key = 0;
  if (api_.OpenKeyEx(root, ansi_.Encode(keyPath), kWriteAccess, &key) != kErrorSuccess) {
    return false;
  }
  const ScopedRegistryKey opened(api_, key);

  // The value is looked at only to learn its type; a missing value is made as text.
  const std::string name = ansi_.Encode(valueName);
  const QueriedValue existing = QueryValue(api_, opened.get(), name);
  std::uint32_t type = kRegSz;
  if (existing.status == kErrorSuccess) {
    type = existing.type;
  } else if (existing.status != kErrorFileNotFound) {
    return false;
  }

  const auto data = ValueDataFromText(type, text, ansi_);
  if (!data || data->size() > kTransferSize) return false;
  return api_.SetValueEx(opened.get(), name, type, data->data(),
                         static_cast<std::uint32_t>(data->size())) == kErrorSuccess;
}

}  // namespace calmora
