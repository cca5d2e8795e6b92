#include "tests/support/scratch_registry_key.h"

#include <stdexcept>

#include "platform/win32/unique_handle.h"

namespace calmora::testing {
namespace {

using win32::UniqueRegistryKey;

// Removes SOFTWARE\<name> and everything below it from one view; missing is fine.
void DeleteFromView(const std::string& name, REGSAM view) {
  UniqueRegistryKey software;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0,
                    view | DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE,
                    software.put()) == ERROR_SUCCESS) {
    RegDeleteTreeA(software, name.c_str());
  }
}

}  // namespace

ScratchRegistryKey::ScratchRegistryKey() {
  static int counter = 0;
  name_ =
      "Quillmoor-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

ScratchRegistryKey::~ScratchRegistryKey() {
  DeleteFromView(name_, KEY_WOW64_32KEY);
  DeleteFromView(name_, KEY_WOW64_64KEY);
}

std::string ScratchRegistryKey::Path(std::string_view below) const {
  std::string path = "SOFTWARE\\" + name_;
  if (!below.empty()) {
    path += '\\';
    path += below;
  }
  return path;
}

std::wstring ScratchRegistryKey::WidePath(std::string_view below) const {
  const std::string path = Path(below);
  return std::wstring(path.begin(), path.end());
}

RawValue ReadRawValue(const std::string& path, const std::string& name, REGSAM view) {
  RawValue value;
  UniqueRegistryKey key;
  value.status =
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE | view, key.put());
  if (value.status != ERROR_SUCCESS) return value;
  DWORD size = 0;
  value.status = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size);
  if (value.status != ERROR_SUCCESS) return value;
  value.data.resize(size);
  value.status =
      RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
  value.data.resize(size);
  return value;
}

void PutRawValue(const std::string& path, const std::string& name, DWORD type,
                 const std::vector<std::uint8_t>& data, REGSAM view) {
  UniqueRegistryKey key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view,
                      nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("no scratch registry key");
  }
  // RegSetValueExA counts a text's NUL in when the byte just past the given data is one, so a
  // text stored without its NUL needs a byte after it that is not NUL.
  std::vector<std::uint8_t> guarded = data;
  guarded.push_back(0xFF);
  if (RegSetValueExA(key, name.c_str(), 0, type, guarded.data(), static_cast<DWORD>(data.size())) !=
      ERROR_SUCCESS) {
    throw std::runtime_error("scratch registry value not stored");
  }
}

bool RawKeyExists(const std::string& path, REGSAM view) {
  UniqueRegistryKey key;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE | view, key.put()) ==
         ERROR_SUCCESS;
}

}  // namespace calmora::testing
