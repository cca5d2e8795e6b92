// The five registry functions of advapi32 that the program calls, in their ANSI forms, with the
// platform's own numbers for keys, statuses, value types and access rights.
#pragma once

#include <cstdint>
#include <string>

namespace calmora {

// An open key, or a predefined root, numbered as the platform numbers them.
using RegistryKey = std::uintptr_t;

// The platform writes its roots as negative 32-bit numbers widened to the size of a pointer.
inline constexpr RegistryKey kHkeyLocalMachine =
    static_cast<RegistryKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));
inline constexpr RegistryKey kHkeyCurrentUser =
    static_cast<RegistryKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000001u)));

// Status codes.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;

// Value types.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Access rights, and the flags that choose between the 32-bit and 64-bit views of the registry.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyWow64_64Key = 0x0100;
inline constexpr std::uint32_t kKeyWow64_32Key = 0x0200;

// Key paths, value names and text data are single-byte text in the system's ANSI code page. Each
// function returns the platform's status code, kErrorSuccess when it did what was asked.
class RegistryApi {
 public:
  virtual ~RegistryApi() = default;
  // Opens the key, creating every missing level of `subKey` on the way.
  virtual long CreateKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t access,
                           RegistryKey* key) = 0;
  virtual long OpenKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t access,
                         RegistryKey* key) = 0;
  // `*size` holds the buffer's size on entry and the data's size on return; data that does not
  // fit gives kErrorMoreData.
  virtual long QueryValueEx(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                            std::uint8_t* data, std::uint32_t* size) = 0;
  virtual long SetValueEx(RegistryKey key, const std::string& valueName, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) = 0;
  virtual long CloseKey(RegistryKey key) = 0;
};

}  // namespace calmora
