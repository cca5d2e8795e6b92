// An open registry key that is closed through the same interface when its owner goes out of
// scope, so no procedure leaves a handle open on any of its paths.
#pragma once

#include "platform/registry_api.h"

namespace calmora {

class ScopedRegistryKey {
 public:
  // Takes a key that a successful open or create produced.
  ScopedRegistryKey(RegistryApi& api, RegistryKey key) : api_(api), key_(key) {}
  ScopedRegistryKey(const ScopedRegistryKey&) = delete;
  ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;
  // Nothing is left to do about a key that will not close, so its status is not looked at.
  ~ScopedRegistryKey() { api_.CloseKey(key_); }

  RegistryKey get() const { return key_; }

 private:
  RegistryApi& api_;
  RegistryKey key_;
};

}  // namespace calmora
