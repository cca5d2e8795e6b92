#include "platform/win32/win32_registry_api.h"

#include <windows.h>

namespace calmora::win32 {
namespace {

static_assert(kErrorSuccess == ERROR_SUCCESS && kErrorFileNotFound == ERROR_FILE_NOT_FOUND &&
              kErrorAccessDenied == ERROR_ACCESS_DENIED &&
              kErrorInvalidHandle == ERROR_INVALID_HANDLE && kErrorMoreData == ERROR_MORE_DATA);
static_assert(kRegSz == REG_SZ && kRegExpandSz == REG_EXPAND_SZ && kRegBinary == REG_BINARY &&
              kRegDword == REG_DWORD && kRegMultiSz == REG_MULTI_SZ);
static_assert(kKeyQueryValue == KEY_QUERY_VALUE && kKeySetValue == KEY_SET_VALUE &&
              kKeyCreateSubKey == KEY_CREATE_SUB_KEY && kKeyWow64_64Key == KEY_WOW64_64KEY &&
              kKeyWow64_32Key == KEY_WOW64_32KEY);

HKEY ToHkey(RegistryKey key) {
  return reinterpret_cast<HKEY>(key);
}

RegistryKey FromHkey(HKEY key) {
  return reinterpret_cast<RegistryKey>(key);
}

}  // namespace

long Win32RegistryApi::CreateKeyEx(RegistryKey root, const std::string& subKey,
                                   std::uint32_t access, RegistryKey* key) {
  // No class, a non-volatile key, and attributes that are all zero: the key gets the default
  // security and its handle is not inherited by child processes.
  char noClass[] = "";
  SECURITY_ATTRIBUTES security{};
  DWORD disposition = 0;
  HKEY created = nullptr;
  const LSTATUS status =
      RegCreateKeyExA(ToHkey(root), subKey.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE, access,
                      &security, &created, &disposition);
  *key = status == ERROR_SUCCESS ? FromHkey(created) : 0;
  return status;
}

long Win32RegistryApi::OpenKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t access,
                                 RegistryKey* key) {
  HKEY opened = nullptr;
  const LSTATUS status = RegOpenKeyExA(ToHkey(root), subKey.c_str(), 0, access, &opened);
  *key = status == ERROR_SUCCESS ? FromHkey(opened) : 0;
  return status;
}

long Win32RegistryApi::QueryValueEx(RegistryKey key, const std::string& valueName,
                                    std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
  // DWORD is not the same type as std::uint32_t under MinGW, so the values travel through
  // locals of the platform's own types.
  DWORD valueType = 0;
  DWORD valueSize = size ? *size : 0;
  const LSTATUS status = RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, &valueType, data,
                                          size ? &valueSize : nullptr);
  if (type) *type = valueType;
  if (size) *size = valueSize;
  return status;
}

long Win32RegistryApi::SetValueEx(RegistryKey key, const std::string& valueName, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), valueName.c_str(), 0, type, data, size);
}

long Win32RegistryApi::CloseKey(RegistryKey key) {
  return RegCloseKey(ToHkey(key));
}

}  // namespace calmora::win32
