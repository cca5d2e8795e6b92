// Registry through advapi32 against Wine's real registry, checked by reads of the test's own: the
// stored bytes and types, and that everything lands in the 32-bit view of HKEY_LOCAL_MACHINE,
// where the program's settings have always been.
#include "settings/registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_registry_api.h"

namespace calmora::win32 {
namespace {

struct RawValue {
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> data;
  bool operator==(const RawValue&) const = default;
};

// A throwaway key, created by the module itself and removed from both views afterwards.
class RegistryUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    UniqueRegistryKey software;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_CREATE_SUB_KEY | KEY_WOW64_32KEY,
                      software.put()) == ERROR_ACCESS_DENIED) {
      GTEST_SKIP() << "a key under HKEY_LOCAL_MACHINE\\SOFTWARE needs an elevated run";
    }
    registry.CreateRegistryKey(kHkeyLocalMachine, WidePath());
  }
  void TearDown() override {
    for (const REGSAM view : {REGSAM{KEY_WOW64_32KEY}, REGSAM{KEY_WOW64_64KEY}}) {
      RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), view, 0);
    }
  }

  std::wstring WidePath() const { return std::wstring(path_.begin(), path_.end()); }
  std::wstring Read() const {
    return registry.ReadRegistryValue(kHkeyLocalMachine, WidePath(), L"Name");
  }
  bool Write(std::wstring_view text) const {
    return registry.WriteRegistryValue(kHkeyLocalMachine, WidePath(), L"Name", text);
  }

  // The value as advapi32 itself reads it in `view`; REG_NONE and no data when it cannot.
  RawValue Stored(REGSAM view = KEY_WOW64_32KEY) const {
    UniqueRegistryKey key;
    RawValue value{REG_NONE, std::vector<std::uint8_t>(4096)};
    auto size = static_cast<DWORD>(value.data.size());
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_QUERY_VALUE | view, key.put()) !=
            ERROR_SUCCESS ||
        RegQueryValueExA(key.get(), "Name", nullptr, &value.type, value.data.data(), &size) !=
            ERROR_SUCCESS) {
      return {};
    }
    value.data.resize(size);
    return value;
  }

  const std::string path_ = "SOFTWARE\\Calmora-test-" + std::to_string(GetCurrentProcessId());
  Win32RegistryApi api;
  Win32AnsiCodePage ansi;
  Registry registry{api, ansi};
};

TEST_F(RegistryUnderWine, TextIsStoredWithItsNulInThe32BitViewOnly) {
  ASSERT_TRUE(Write(L"Yes"));
  EXPECT_EQ(Stored(), (RawValue{REG_SZ, {0x59, 0x65, 0x73, 0x00}}));
  EXPECT_EQ(Stored(KEY_WOW64_64KEY), RawValue{});
  EXPECT_EQ(Read(), L"Yes");
}

TEST_F(RegistryUnderWine, ADwordKeepsItsType) {
  UniqueRegistryKey key;
  const DWORD number = 42;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                          key.put()),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.get(), "Name", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                           sizeof number),
            ERROR_SUCCESS);

  ASSERT_TRUE(Write(L"258"));
  EXPECT_EQ(Stored(), (RawValue{REG_DWORD, {0x02, 0x01, 0x00, 0x00}}));
  EXPECT_EQ(Read(), L"&h000102");
}

TEST_F(RegistryUnderWine, TextLongerThan1024BytesIsNeitherWrittenReadNorOverwritten) {
  EXPECT_FALSE(Write(std::wstring(1024, L'x')));  // 1025 bytes with its NUL
  // Stored so by another program, it is neither read nor written over.
  const std::string text(1024, 'x');
  UniqueRegistryKey key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                          key.put()),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.get(), "Name", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()), 1025),
            ERROR_SUCCESS);
  const RawValue tooLong = Stored();
  ASSERT_EQ(tooLong.data.size(), 1025u);
  EXPECT_EQ(Read(), L"");
  EXPECT_FALSE(Write(L"No"));
  EXPECT_EQ(Stored(), tooLong);
}

}  // namespace
}  // namespace calmora::win32
