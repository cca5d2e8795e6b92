// A throwaway key under HKEY_LOCAL_MACHINE\SOFTWARE for one test, removed with everything in it
// from both registry views; plus reads and writes that go straight to advapi32, so tests can
// check what the program stored without going through the program's own code.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace calmora::testing {

struct RawValue {
  LSTATUS status = ERROR_SUCCESS;
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> data;
};

class ScratchRegistryKey {
 public:
  // Nothing is created yet: the test's own calls make the key.
  ScratchRegistryKey();
  ScratchRegistryKey(const ScratchRegistryKey&) = delete;
  ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;
  ~ScratchRegistryKey();

  // "SOFTWARE\<scratch name>", followed by "\" and `below` when that is not empty.
  std::string Path(std::string_view below = {}) const;
  std::wstring WidePath(std::string_view below = {}) const;
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

// `view` is KEY_WOW64_32KEY or KEY_WOW64_64KEY; paths are relative to HKEY_LOCAL_MACHINE.
RawValue ReadRawValue(const std::string& path, const std::string& name, REGSAM view);
void PutRawValue(const std::string& path, const std::string& name, DWORD type,
                 const std::vector<std::uint8_t>& data, REGSAM view = KEY_WOW64_32KEY);
bool RawKeyExists(const std::string& path, REGSAM view);

}  // namespace calmora::testing
