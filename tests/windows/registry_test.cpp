// The module Registry through advapi32 against Wine's real registry, checked with reads of its
// own: the stored bytes and types, and that everything lands in the 32-bit view of
// HKEY_LOCAL_MACHINE, where the program's settings have always been.
#include "settings/registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_registry_api.h"
#include "tests/support/scratch_registry_key.h"

namespace calmora::win32 {
namespace {

using namespace std::string_literals;
using calmora::testing::PutRawValue;
using calmora::testing::RawKeyExists;
using calmora::testing::ReadRawValue;
using calmora::testing::ScratchRegistryKey;
using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

class RegistryUnderWine : public ::testing::Test {
 protected:
  // The scratch key with a "Settings" key below it, made by the module itself.
  void CreateKeys() const {
    registry.CreateRegistryKey(kHkeyLocalMachine, scratch.WidePath());
    registry.CreateRegistryKey(kHkeyLocalMachine, scratch.WidePath("Settings"));
  }
  std::wstring Read(const std::wstring& name) const {
    return registry.ReadRegistryValue(kHkeyLocalMachine, scratch.WidePath("Settings"), name);
  }
  bool Write(const std::wstring& name, std::wstring_view text) const {
    return registry.WriteRegistryValue(kHkeyLocalMachine, scratch.WidePath("Settings"), name, text);
  }
  void Put(const std::string& name, DWORD type, const Bytes& data) const {
    PutRawValue(scratch.Path("Settings"), name, type, data);
  }
  calmora::testing::RawValue Stored(const std::string& name) const {
    return ReadRawValue(scratch.Path("Settings"), name, KEY_WOW64_32KEY);
  }

  ScratchRegistryKey scratch;
  Win32RegistryApi api;
  Win32AnsiCodePage ansi;
  Registry registry{api, ansi};
};

TEST(RegistryRoot, LocalMachineIsThePlatformsOwnHandle) {
  EXPECT_EQ(reinterpret_cast<HKEY>(kHkeyLocalMachine), HKEY_LOCAL_MACHINE);
}

TEST_F(RegistryUnderWine, KeysAndValuesLandInThe32BitViewOnly) {
  CreateKeys();
  ASSERT_TRUE(Write(L"Remove", L"Yes"));

  const auto stored = Stored("Remove");
  ASSERT_EQ(stored.status, ERROR_SUCCESS);
  EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored.data, (Bytes{0x59, 0x65, 0x73, 0x00}));
  EXPECT_EQ(Read(L"Remove"), L"Yes");

  // 64-bit tools see the same value under WOW6432Node, and nothing at the program's own path.
  EXPECT_FALSE(RawKeyExists(scratch.Path(), KEY_WOW64_64KEY));
  const auto seenFrom64 = ReadRawValue("SOFTWARE\\WOW6432Node\\" + scratch.Name() + "\\Settings",
                                       "Remove", KEY_WOW64_64KEY);
  ASSERT_EQ(seenFrom64.status, ERROR_SUCCESS);
  EXPECT_EQ(seenFrom64.data, stored.data);
}

TEST_F(RegistryUnderWine, ValuesOfThe64BitViewAreNotRead) {
  CreateKeys();
  PutRawValue(scratch.Path("Settings"), "Remove", REG_SZ, BytesOf("Yes\0"s), KEY_WOW64_64KEY);
  EXPECT_EQ(Read(L"Remove"), L"");
}

TEST_F(RegistryUnderWine, AMissingValueIsCreatedAsTextAndKeepsItsTypeLater) {
  CreateKeys();
  ASSERT_TRUE(Write(L"Remove", L"No"));
  EXPECT_EQ(Stored("Remove").type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Stored("Remove").data, (Bytes{0x4E, 0x6F, 0x00}));
  ASSERT_TRUE(Write(L"Remove", L"Yes"));
  EXPECT_EQ(Stored("Remove").type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Stored("Remove").data, (Bytes{0x59, 0x65, 0x73, 0x00}));
}

TEST_F(RegistryUnderWine, TextReadsWithOneTrailingNulDropped) {
  Put("With", REG_SZ, BytesOf("Yes\0"s));
  Put("Without", REG_SZ, BytesOf("Yes"));
  Put("Double", REG_SZ, BytesOf("Yes\0\0"s));
  Put("HighBytes", REG_SZ, BytesOf("caf\xE9\0"s));
  ASSERT_EQ(Stored("Without").data, BytesOf("Yes"));
  EXPECT_EQ(Read(L"With"), L"Yes");
  EXPECT_EQ(Read(L"Without"), L"Yes");
  EXPECT_EQ(Read(L"Double"), L"Yes\0"s);
  EXPECT_EQ(Read(L"HighBytes"), L"caf\u00E9");  // code page 1252
}

TEST_F(RegistryUnderWine, DwordsReadAsHexLiteralsAndKeepTheirType) {
  Put("Number", REG_DWORD, {0x78, 0x56, 0x34, 0x12});
  EXPECT_EQ(Read(L"Number"), L"&h12345678");
  Put("Number", REG_DWORD, {0x00, 0x01, 0x00, 0x00});
  EXPECT_EQ(Read(L"Number"), L"&h000100");

  ASSERT_TRUE(Write(L"Number", L"Yes"));
  EXPECT_EQ(Stored("Number").type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(Stored("Number").data, (Bytes{0x00, 0x00, 0x00, 0x00}));
  ASSERT_TRUE(Write(L"Number", L"258"));
  EXPECT_EQ(Stored("Number").data, (Bytes{0x02, 0x01, 0x00, 0x00}));
}

TEST_F(RegistryUnderWine, OnlyValuesThatFit1024BytesAreReadOrOverwritten) {
  Put("Fits", REG_SZ, Bytes(1024, 'x'));
  Put("TooLong", REG_SZ, Bytes(1025, 'x'));
  ASSERT_EQ(Stored("Fits").data, Bytes(1024, 'x'));
  EXPECT_EQ(Read(L"Fits"), std::wstring(1024, L'x'));
  EXPECT_EQ(Read(L"TooLong"), L"");
  EXPECT_FALSE(Write(L"TooLong", L"No"));
  EXPECT_EQ(Stored("TooLong").data, Bytes(1025, 'x'));
}

TEST_F(RegistryUnderWine, OtherTypesReadEmptyAndAreNotOverwritten) {
  for (const DWORD type : {DWORD{REG_EXPAND_SZ}, DWORD{REG_MULTI_SZ}, DWORD{REG_BINARY}}) {
    Put("Other", type, BytesOf("Yes\0\0"s));
    EXPECT_EQ(Read(L"Other"), L"") << "type " << type;
    EXPECT_FALSE(Write(L"Other", L"No")) << "type " << type;
    EXPECT_EQ(Stored("Other").type, type);
    EXPECT_EQ(Stored("Other").data, BytesOf("Yes\0\0"s));
  }
}

TEST_F(RegistryUnderWine, AMissingKeyReadsEmptyAndIsNotCreatedByAWrite) {
  EXPECT_EQ(Read(L"Remove"), L"");
  EXPECT_FALSE(Write(L"Remove", L"Yes"));
  EXPECT_FALSE(RawKeyExists(scratch.Path(), KEY_WOW64_32KEY));
  EXPECT_FALSE(RawKeyExists(scratch.Path(), KEY_WOW64_64KEY));
}

TEST_F(RegistryUnderWine, CreatingAnExistingKeyChangesNothing) {
  Put("Remove", REG_SZ, BytesOf("Yes\0"s));
  CreateKeys();
  EXPECT_EQ(Stored("Remove").type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Stored("Remove").data, BytesOf("Yes\0"s));
}

TEST(ScratchRegistryKey, IsRemovedFromBothViews) {
  std::string path;
  {
    const ScratchRegistryKey scratch;
    path = scratch.Path();
    PutRawValue(scratch.Path("Settings"), "a", REG_SZ, BytesOf("x\0"s), KEY_WOW64_32KEY);
    PutRawValue(scratch.Path("Settings"), "a", REG_SZ, BytesOf("x\0"s), KEY_WOW64_64KEY);
  }
  EXPECT_FALSE(RawKeyExists(path, KEY_WOW64_32KEY));
  EXPECT_FALSE(RawKeyExists(path, KEY_WOW64_64KEY));
}

}  // namespace
}  // namespace calmora::win32
