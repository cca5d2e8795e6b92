// An in-memory HKEY_LOCAL_MACHINE with separate 32-bit and 64-bit views. It hands out numbered
// handles, refuses what each handle was not opened for, and records every call, so tests can
// check what was stored, which rights and view were asked for, and that every handle was closed.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry_api.h"

namespace calmora::testing {

using Bytes = std::vector<std::uint8_t>;

// The bytes of `text`, as a test writes a stored value's data.
inline Bytes BytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

enum class RegistryView { k32, k64 };

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
  *out << call.operation << " \"" << call.subject << "\" access 0x" << std::hex << call.access
       << std::dec;
}

class FakeRegistryApi final : public RegistryApi {
 public:
  // Every call in order.
  std::vector<RegistryCall> calls;
  // What SetValueEx answers when the handle allows it; anything else stores nothing.
  long setValueStatus = kErrorSuccess;

  // Makes the key and every missing level above it.
  void AddKey(const std::string& path, RegistryView view = RegistryView::k32);
  // Stores a value as it is, making its key when needed.
  void PutValue(const std::string& path, const std::string& name, std::uint32_t type, Bytes data,
                RegistryView view = RegistryView::k32);
  // Rights that opening the key refuses; kKeyCreateSubKey also refuses making keys beneath it.
  void Deny(const std::string& path, std::uint32_t rights, RegistryView view = RegistryView::k32);

  bool HasKey(const std::string& path, RegistryView view = RegistryView::k32) const;
  std::optional<StoredValue> Value(const std::string& path, const std::string& name,
                                   RegistryView view = RegistryView::k32) const;
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
  using KeyName = std::pair<RegistryView, std::string>;
  struct Key {
    std::map<std::string, StoredValue> values;
    std::uint32_t deniedRights = 0;
  };
  struct Handle {
    KeyName key;
    std::uint32_t access;
  };

  // Opens an existing key for `access`, as the last step of both open and create.
  long Grant(const KeyName& name, std::uint32_t access, RegistryKey* key);
  const Handle* Find(RegistryKey key) const;

  std::map<KeyName, Key> keys_{{{RegistryView::k32, ""}, {}}, {{RegistryView::k64, ""}, {}}};
  std::map<RegistryKey, Handle> handles_;
  RegistryKey nextHandle_ = 0x100;
};

}  // namespace calmora::testing
