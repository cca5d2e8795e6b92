#include "tests/host/fakes/fake_registry_api.h"

#include <algorithm>

namespace calmora::testing {

void FakeRegistryApi::AddKey(const std::string& path) {
  for (auto end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1)) {
    keys_[path.substr(0, end)];
  }
  keys_[path];
}

void FakeRegistryApi::PutValue(const std::string& path, const std::string& name, std::uint32_t type,
                               Bytes data) {
  AddKey(path);
  keys_[path][name] = StoredValue{type, std::move(data)};
}

std::optional<StoredValue> FakeRegistryApi::Value(const std::string& path,
                                                  const std::string& name) const {
  const auto key = keys_.find(path);
  if (key == keys_.end() || !key->second.contains(name)) return std::nullopt;
  return key->second.at(name);
}

long FakeRegistryApi::Open(const std::string& path, std::uint32_t access, RegistryKey* key) {
  *key = 0;
  if (access & deniedRights) return kErrorAccessDenied;
  if (!keys_.contains(path)) return kErrorFileNotFound;
  *key = nextHandle_++;
  handles_[*key] = Handle{path, access};
  return kErrorSuccess;
}

const std::string* FakeRegistryApi::KeyOpenedFor(RegistryKey key, std::uint32_t right) const {
  const auto handle = handles_.find(key);
  if (handle == handles_.end() || !(handle->second.access & right)) return nullptr;
  return &handle->second.path;
}

long FakeRegistryApi::CreateKeyEx(RegistryKey, const std::string& subKey, std::uint32_t access,
                                  RegistryKey* key) {
  calls.push_back({"CreateKeyEx", subKey, access});
  if (!(access & deniedRights)) AddKey(subKey);
  return Open(subKey, access, key);
}

long FakeRegistryApi::OpenKeyEx(RegistryKey, const std::string& subKey, std::uint32_t access,
                                RegistryKey* key) {
  calls.push_back({"OpenKeyEx", subKey, access});
  return Open(subKey, access, key);
}

long FakeRegistryApi::QueryValueEx(RegistryKey key, const std::string& valueName,
                                   std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
  calls.push_back({"QueryValueEx", valueName, 0});
  const std::string* path = KeyOpenedFor(key, kKeyQueryValue);
  if (!path) return kErrorAccessDenied;
  const std::optional<StoredValue> value = Value(*path, valueName);
  if (!value) return kErrorFileNotFound;

  const auto needed = static_cast<std::uint32_t>(value->data.size());
  *type = value->type;
  const bool fits = needed <= *size;
  *size = needed;
  if (!fits) return kErrorMoreData;
  std::copy(value->data.begin(), value->data.end(), data);
  return kErrorSuccess;
}

long FakeRegistryApi::SetValueEx(RegistryKey key, const std::string& valueName, std::uint32_t type,
                                 const std::uint8_t* data, std::uint32_t size) {
  calls.push_back({"SetValueEx", valueName, 0});
  const std::string* path = KeyOpenedFor(key, kKeySetValue);
  if (!path) return kErrorAccessDenied;
  keys_[*path][valueName] = StoredValue{type, Bytes(data, data + size)};
  return kErrorSuccess;
}

long FakeRegistryApi::CloseKey(RegistryKey key) {
  calls.push_back({"CloseKey", "", 0});
  return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

}  // namespace calmora::testing
