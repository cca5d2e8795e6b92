// Registry against an in-memory registry: what each value reads as, what each write stores,
// which rights and view every call asks for, and that no handle stays open.
#include "settings/registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/host/fakes/fake_registry_api.h"
#include "tests/host/fakes/latin1_code_page.h"

namespace calmora {
namespace {

using namespace std::string_literals;
using testing::Bytes;
using testing::BytesOf;
using ::testing::ElementsAre;
using testing::RegistryCall;
using testing::StoredValue;

const std::string kKey = "SOFTWARE\\Vendor\\Product";
const std::wstring kKeyText = L"SOFTWARE\\Vendor\\Product";

class RegistryTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(api.OpenHandleCount(), 0u) << "a key was left open"; }

  std::wstring Read() const {
    return registry.ReadRegistryValue(kHkeyLocalMachine, kKeyText, L"Name");
  }
  bool Write(std::wstring_view text) const {
    return registry.WriteRegistryValue(kHkeyLocalMachine, kKeyText, L"Name", text);
  }
  std::optional<StoredValue> Stored() const { return api.Value(kKey, "Name"); }

  testing::FakeRegistryApi api;
  testing::Latin1CodePage ansi;
  Registry registry{api, ansi};
};

TEST_F(RegistryTest, ReadsTextWithOneTrailingNulDroppedDwordsAsHexAndNothingElse) {
  EXPECT_EQ(Read(), L"") << "missing key";
  const std::pair<StoredValue, std::wstring> cases[] = {
      {{kRegSz, BytesOf("Yes\0"s)}, L"Yes"},
      {{kRegSz, BytesOf("Yes")}, L"Yes"},
      {{kRegSz, BytesOf("Yes\0\0"s)}, L"Yes\0"s},
      {{kRegSz, Bytes(1024, 'x')}, std::wstring(1024, L'x')},
      {{kRegSz, Bytes(1025, 'x')}, L""},
      {{kRegDword, {0x78, 0x56, 0x34, 0x12}}, L"&h12345678"},
      {{kRegDword, {0x00, 0x01, 0x00, 0x00}}, L"&h000100"},
      {{kRegDword, {0x01, 0x00, 0x00, 0x00}}, L"&h000001"},
      {{kRegDword, {0x00, 0x00, 0x00, 0x00}}, L"&h000000"},
      {{kRegDword, {0x00, 0x00, 0x00, 0x01}}, L"&h01000000"},
      {{kRegExpandSz, BytesOf("Yes\0"s)}, L""},
      {{kRegMultiSz, BytesOf("Yes\0\0"s)}, L""},
      {{kRegBinary, BytesOf("Yes\0"s)}, L""},
  };
  for (const auto& [stored, text] : cases) {
    api.PutValue(kKey, "Name", stored.type, stored.data);
    EXPECT_EQ(Read(), text) << "type " << stored.type << ", " << stored.data.size() << " bytes";
  }
}

TEST_F(RegistryTest, WritesKeepTheTypeAndLeaveWhatTheyCannotStoreAlone) {
  struct Case {
    std::optional<StoredValue> before;
    std::wstring text;
    std::optional<StoredValue> after;  // none when the write must fail and change nothing
  };
  const Case cases[] = {
      {std::nullopt, L"No", StoredValue{kRegSz, {0x4E, 0x6F, 0x00}}},
      {StoredValue{kRegSz, BytesOf("No")}, L"Yes", StoredValue{kRegSz, BytesOf("Yes\0"s)}},
      {StoredValue{kRegDword, {0x2A, 0, 0, 0}}, L"Yes", StoredValue{kRegDword, {0, 0, 0, 0}}},
      {StoredValue{kRegDword, {0x2A, 0, 0, 0}}, L"258", StoredValue{kRegDword, {2, 1, 0, 0}}},
      {StoredValue{kRegDword, {0x2A, 0, 0, 0}}, L"4294967296", std::nullopt},
      {StoredValue{kRegSz, Bytes(1025, 'x')}, L"No", std::nullopt},
      {StoredValue{kRegSz, BytesOf("No")}, std::wstring(1024, L'x'), std::nullopt},
      {StoredValue{kRegSz, BytesOf("No")}, std::wstring(1023, L'x'),
       StoredValue{kRegSz, BytesOf(std::string(1023, 'x') + '\0')}},
      {StoredValue{kRegBinary, BytesOf("Yes\0"s)}, L"No", std::nullopt},
  };
  api.AddKey(kKey);
  for (const auto& [before, text, after] : cases) {
    if (before) api.PutValue(kKey, "Name", before->type, before->data);
    EXPECT_EQ(Write(text), after.has_value()) << text;
    EXPECT_EQ(Stored(), after ? after : before) << text;
  }
}

TEST_F(RegistryTest, EachCallAsksOnlyForTheRightsItUsesInThe32BitView) {
  registry.CreateRegistryKey(kHkeyLocalMachine, kKeyText);
  EXPECT_TRUE(Write(L"Yes"));
  EXPECT_EQ(Read(), L"Yes");
  EXPECT_THAT(
      api.calls,
      ElementsAre(RegistryCall{"CreateKeyEx", kKey, kKeyCreateSubKey | kKeyWow64_32Key},
                  RegistryCall{"CloseKey", ""},
                  RegistryCall{"OpenKeyEx", kKey, kKeyQueryValue | kKeySetValue | kKeyWow64_32Key},
                  RegistryCall{"QueryValueEx", "Name"}, RegistryCall{"SetValueEx", "Name"},
                  RegistryCall{"CloseKey", ""},
                  RegistryCall{"OpenKeyEx", kKey, kKeyQueryValue | kKeyWow64_32Key},
                  RegistryCall{"QueryValueEx", "Name"}, RegistryCall{"CloseKey", ""}));
}

TEST_F(RegistryTest, AUserWhoMayOnlyReadTheKeyReadsItButCannotWrite) {
  api.PutValue(kKey, "Name", kRegSz, BytesOf("Yes\0"s));
  api.deniedRights = kKeySetValue | kKeyCreateSubKey;
  EXPECT_EQ(Read(), L"Yes");
  EXPECT_FALSE(Write(L"No"));
  EXPECT_EQ(Stored()->data, BytesOf("Yes\0"s));
}

TEST_F(RegistryTest, AWriteUnderAMissingKeyFailsAndCreatesNothing) {
  EXPECT_FALSE(Write(L"Yes"));
  EXPECT_FALSE(api.HasKey("SOFTWARE\\Vendor"));
}

TEST_F(RegistryTest, CreatingAnExistingKeyChangesNothing) {
  api.PutValue(kKey, "Name", kRegSz, BytesOf("Yes\0"s));
  registry.CreateRegistryKey(kHkeyLocalMachine, kKeyText);
  EXPECT_EQ(Stored(), (StoredValue{kRegSz, BytesOf("Yes\0"s)}));
}

}  // namespace
}  // namespace calmora
