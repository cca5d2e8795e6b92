// An in-memory HKEY_LOCAL_MACHINE. It hands out numbered handles, refuses what a handle was not
// opened for, and records every call, so tests can check what was stored, which rights and view
// were asked for, and that every handle was closed. It keeps a single view: the view a call asked
// for shows in `calls`.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace calmora::testing {

using Bytes = std::vector<std::uint8_t>;

// The bytes of `text`, as a test writes a stored value's data.
inline Bytes BytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

struct StoredValue {
  std::uint32_t type = 0;
  Bytes data;
  bool operator==(const StoredValue&) const = default;
};

struct RegistryCall {
  std::string operation;     // "CreateKeyEx", "OpenKeyEx", "QueryValueEx", "SetValueEx", "CloseKey"
  std::string subject;       // the key path, or the value name; empty for CloseKey
  std::uint32_t access = 0;  // what an open or create asked for
  bool operator==(const RegistryCall&) const = default;
};

inline void PrintTo(const RegistryCall& call, std::ostream* out) {
  *out << call.operation << " \"" << call.subject << "\" 0x" << std::hex << call.access << std::dec;
}

class FakeRegistryApi final : public RegistryApi {
 public:
  // Every call in order.
  std::vector<RegistryCall> calls;
  // Rights that every open and create is refused, as for a user who may not change the keys.
  std::uint32_t deniedRights = 0;

  // Makes the key and every missing level above it.
  void AddKey(const std::string& path);
  // Stores a value as it is, making its key when needed.
  void PutValue(const std::string& path, const std::string& name, std::uint32_t type, Bytes data);
  bool HasKey(const std::string& path) const { return keys_.contains(path); }
  std::optional<StoredValue> Value(const std::string& path, const std::string& name) const;
  std::size_t OpenHandleCount() const { return handles_.size(); }

  long CreateKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t access,
                   RegistryKey* key) override;
  long OpenKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t access,
                 RegistryKey* key) override;
  long QueryValueEx(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                    std::uint8_t* data, std::uint32_t* size) override;
  long SetValueEx(RegistryKey key, const std::string& valueName, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
  long CloseKey(RegistryKey key) override;

 private:
  struct Handle {
    std::string path;
    std::uint32_t access;
  };

  long Open(const std::string& path, std::uint32_t access, RegistryKey* key);
  // The path of the key behind `key`, when it was opened for `right`.
  const std::string* KeyOpenedFor(RegistryKey key, std::uint32_t right) const;

  std::map<std::string, std::map<std::string, StoredValue>> keys_;
  std::map<RegistryKey, Handle> handles_;
  RegistryKey nextHandle_ = 0x100;
};

}  // namespace calmora::testing
