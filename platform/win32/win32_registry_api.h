// The registry through advapi32's ANSI functions.
#pragma once

#include "platform/registry_api.h"

namespace calmora::win32 {

class Win32RegistryApi final : public RegistryApi {
 public:
  long CreateKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t access,
                   RegistryKey* key) override;
  long OpenKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t access,
                 RegistryKey* key) override;
  long QueryValueEx(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                    std::uint8_t* data, std::uint32_t* size) override;
  long SetValueEx(RegistryKey key, const std::string& valueName, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
  long CloseKey(RegistryKey key) override;
};

}  // namespace calmora::win32
