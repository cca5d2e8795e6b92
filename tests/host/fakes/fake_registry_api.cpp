#include "tests/host/fakes/fake_registry_api.h"

#include <algorithm>

namespace calmora::testing {
namespace {

constexpr std::uint32_t kViewFlags = kKeyWow64_32Key | kKeyWow64_64Key;

// Like the 64-bit program, the fake sees the 64-bit view unless the 32-bit one is asked for.
RegistryView ViewOf(std::uint32_t access) {
  return (access & kKeyWow64_32Key) ? RegistryView::k32 : RegistryView::k64;
}

std::string ParentOf(const std::string& path) {
  const auto separator = path.rfind('\\');
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

// Every level of `path` from the top down, the path itself last.
std::vector<std::string> LevelsOf(const std::string& path) {
  std::vector<std::string> levels;
  for (std::size_t end = path.find('\\'); end != std::string::npos;
       end = path.find('\\', end + 1)) {
    levels.push_back(path.substr(0, end));
  }
  levels.push_back(path);
  return levels;
}

}  // namespace

void FakeRegistryApi::AddKey(const std::string& path, RegistryView view) {
  for (const auto& level : LevelsOf(path)) keys_[{view, level}];
}

void FakeRegistryApi::PutValue(const std::string& path, const std::string& name, std::uint32_t type,
                               Bytes data, RegistryView view) {
  AddKey(path, view);
  keys_[{view, path}].values[name] = StoredValue{type, std::move(data)};
}

void FakeRegistryApi::Deny(const std::string& path, std::uint32_t rights, RegistryView view) {
  AddKey(path, view);
  keys_[{view, path}].deniedRights |= rights;
}

bool FakeRegistryApi::HasKey(const std::string& path, RegistryView view) const {
  return keys_.contains({view, path});
}

std::optional<StoredValue> FakeRegistryApi::Value(const std::string& path, const std::string& name,
                                                  RegistryView view) const {
  const auto key = keys_.find({view, path});
  if (key == keys_.end()) return std::nullopt;
  const auto value = key->second.values.find(name);
  if (value == key->second.values.end()) return std::nullopt;
  return value->second;
}

long FakeRegistryApi::Grant(const KeyName& name, std::uint32_t access, RegistryKey* key) {
  if (keys_.at(name).deniedRights & access & ~kViewFlags) return kErrorAccessDenied;
  *key = nextHandle_++;
  handles_[*key] = Handle{name, access};
  return kErrorSuccess;
}

const FakeRegistryApi::Handle* FakeRegistryApi::Find(RegistryKey key) const {
  const auto found = handles_.find(key);
  return found == handles_.end() ? nullptr : &found->second;
}

long FakeRegistryApi::CreateKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t access,
                                  RegistryKey* key) {
  calls.push_back({"CreateKeyEx", subKey, access});
  *key = 0;
  if (root != kHkeyLocalMachine) return kErrorInvalidHandle;
  const RegistryView view = ViewOf(access);
  // Like the registry, levels made before a refusal stay made.
  for (const auto& level : LevelsOf(subKey)) {
    if (keys_.contains({view, level})) continue;
    if (keys_.at({view, ParentOf(level)}).deniedRights & kKeyCreateSubKey) {
      return kErrorAccessDenied;
    }
    keys_[{view, level}];
  }
  return Grant({view, subKey}, access, key);
}

long FakeRegistryApi::OpenKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t access,
                                RegistryKey* key) {
  calls.push_back({"OpenKeyEx", subKey, access});
  *key = 0;
  if (root != kHkeyLocalMachine) return kErrorInvalidHandle;
  const KeyName name{ViewOf(access), subKey};
  if (!keys_.contains(name)) return kErrorFileNotFound;
  return Grant(name, access, key);
}

long FakeRegistryApi::QueryValueEx(RegistryKey key, const std::string& valueName,
                                   std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
  calls.push_back({"QueryValueEx", valueName, 0});
  const Handle* handle = Find(key);
  if (!handle) return kErrorInvalidHandle;
  if (!(handle->access & kKeyQueryValue)) return kErrorAccessDenied;
  const auto& values = keys_.at(handle->key).values;
  const auto found = values.find(valueName);
  if (found == values.end()) return kErrorFileNotFound;

  const StoredValue& value = found->second;
  const auto needed = static_cast<std::uint32_t>(value.data.size());
  if (type) *type = value.type;
  if (data && size && needed > *size) {
    *size = needed;
    return kErrorMoreData;
  }
  if (data) std::copy(value.data.begin(), value.data.end(), data);
  if (size) *size = needed;
  return kErrorSuccess;
}

long FakeRegistryApi::SetValueEx(RegistryKey key, const std::string& valueName, std::uint32_t type,
                                 const std::uint8_t* data, std::uint32_t size) {
  calls.push_back({"SetValueEx", valueName, 0});
  const Handle* handle = Find(key);
  if (!handle) return kErrorInvalidHandle;
  if (!(handle->access & kKeySetValue)) return kErrorAccessDenied;
  if (setValueStatus != kErrorSuccess) return setValueStatus;
  keys_.at(handle->key).values[valueName] = StoredValue{type, Bytes(data, data + size)};
  return kErrorSuccess;
}

long FakeRegistryApi::CloseKey(RegistryKey key) {
  calls.push_back({"CloseKey", "", 0});
  return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

}  // namespace calmora::testing
