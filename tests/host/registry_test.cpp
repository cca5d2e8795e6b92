// The module Registry against an in-memory registry: what each value reads as, what each write
// stores, which rights and view every call asks for, and that no handle stays open.
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
using ::testing::Not;
using testing::RegistryCall;
using testing::RegistryView;
using testing::StoredValue;

const std::string kKey = "SOFTWARE\\Vendor\\Product";
const std::wstring kKeyText = L"SOFTWARE\\Vendor\\Product";

class RegistryTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(api.OpenHandleCount(), 0u) << "a key was left open"; }

  std::wstring Read(const std::wstring& name) const {
    return registry.ReadRegistryValue(kHkeyLocalMachine, kKeyText, name);
  }
  bool Write(const std::wstring& name, std::wstring_view text) const {
    return registry.WriteRegistryValue(kHkeyLocalMachine, kKeyText, name, text);
  }
  std::optional<StoredValue> Stored(const std::string& name) const { return api.Value(kKey, name); }

  testing::FakeRegistryApi api;
  testing::Latin1CodePage ansi;
  Registry registry{api, ansi};
};

TEST_F(RegistryTest, TextReadsTheSameWithOrWithoutItsTerminator) {
  api.PutValue(kKey, "With", kRegSz, BytesOf("Yes\0"s));
  api.PutValue(kKey, "Without", kRegSz, BytesOf("Yes"));
  EXPECT_EQ(Read(L"With"), L"Yes");
  EXPECT_EQ(Read(L"Without"), L"Yes");
}

TEST_F(RegistryTest, OnlyTheLastNulIsDropped) {
  api.PutValue(kKey, "Double", kRegSz, BytesOf("Yes\0\0"s));
  api.PutValue(kKey, "Inside", kRegSz, BytesOf("A\0B\0"s));
  api.PutValue(kKey, "JustNul", kRegSz, BytesOf("\0"s));
  EXPECT_EQ(Read(L"Double"), L"Yes\0"s);
  EXPECT_NE(Read(L"Double"), L"Yes");
  EXPECT_EQ(Read(L"Inside"), L"A\0B"s);
  EXPECT_EQ(Read(L"JustNul"), L"");
}

TEST_F(RegistryTest, TextAndNamesCrossThroughTheAnsiCodePage) {
  api.PutValue(kKey + "\\Caf\xE9", "R\xE9sum\xE9", kRegSz, BytesOf("na\xEFve\0"s));
  EXPECT_EQ(
      registry.ReadRegistryValue(kHkeyLocalMachine, kKeyText + L"\\Caf\u00E9", L"R\u00E9sum\u00E9"),
      L"na\u00EFve");
  EXPECT_TRUE(registry.WriteRegistryValue(kHkeyLocalMachine, kKeyText + L"\\Caf\u00E9",
                                          L"R\u00E9sum\u00E9", L"\u00E0 bient\u00F4t"));
  EXPECT_EQ(api.Value(kKey + "\\Caf\xE9", "R\xE9sum\xE9")->data, BytesOf("\xE0 bient\xF4t\0"s));
}

TEST_F(RegistryTest, ValuesUpTo1024BytesAreReadAndLongerOnesAreLeftAlone) {
  const std::string fits(1024, 'x');
  const std::string tooLong(1025, 'x');
  api.PutValue(kKey, "Fits", kRegSz, BytesOf(fits));
  api.PutValue(kKey, "FitsWithNul", kRegSz, BytesOf(std::string(1023, 'y') + '\0'));
  api.PutValue(kKey, "TooLong", kRegSz, BytesOf(tooLong));

  EXPECT_EQ(Read(L"Fits"), std::wstring(1024, L'x'));
  EXPECT_EQ(Read(L"FitsWithNul"), std::wstring(1023, L'y'));
  EXPECT_EQ(Read(L"TooLong"), L"");
  EXPECT_FALSE(Write(L"TooLong", L"No"));
  EXPECT_EQ(Stored("TooLong")->data, BytesOf(tooLong));
}

TEST_F(RegistryTest, TypesWithoutATextFormReadEmpty) {
  for (const std::uint32_t type : {kRegExpandSz, kRegMultiSz, kRegBinary, 11u /* REG_QWORD */}) {
    api.PutValue(kKey, "Other", type, BytesOf("Yes\0"s));
    EXPECT_EQ(Read(L"Other"), L"") << "type " << type;
  }
}

TEST_F(RegistryTest, ValuesWithNoDataReadEmpty) {
  api.PutValue(kKey, "Text", kRegSz, {});
  api.PutValue(kKey, "Number", kRegDword, {});
  EXPECT_EQ(Read(L"Text"), L"");
  EXPECT_EQ(Read(L"Number"), L"");
}

TEST_F(RegistryTest, DwordsReadAsHexLiteralsWithTwoDigitsAByte) {
  const std::pair<Bytes, std::wstring> cases[] = {
      {{0x78, 0x56, 0x34, 0x12}, L"&h12345678"}, {{0x00, 0x01, 0x00, 0x00}, L"&h000100"},
      {{0x01, 0x00, 0x00, 0x00}, L"&h000001"},   {{0xFF, 0x00, 0x00, 0x00}, L"&h0000FF"},
      {{0x00, 0x00, 0x00, 0x00}, L"&h000000"},   {{0x00, 0x00, 0x00, 0x01}, L"&h01000000"},
      {{0xEF, 0xBE, 0xAD, 0xDE}, L"&hDEADBEEF"},
  };
  for (const auto& [data, text] : cases) {
    api.PutValue(kKey, "Number", kRegDword, data);
    EXPECT_EQ(Read(L"Number"), text);
  }
}

TEST_F(RegistryTest, AMissingKeyOrValueReadsEmpty) {
  EXPECT_EQ(Read(L"Anything"), L"");
  api.AddKey(kKey);
  EXPECT_EQ(Read(L"Anything"), L"");
}

TEST_F(RegistryTest, AReadOpensForQueryingOnlyInThe32BitView) {
  api.PutValue(kKey, "Name", kRegSz, BytesOf("Yes\0"s));
  EXPECT_EQ(Read(L"Name"), L"Yes");
  EXPECT_THAT(api.calls,
              ElementsAre(RegistryCall{"OpenKeyEx", kKey, 0x201},
                          RegistryCall{"QueryValueEx", "Name"}, RegistryCall{"CloseKey", ""}));
}

TEST_F(RegistryTest, ValuesOfThe64BitViewAreNotTheProgramsValues) {
  api.PutValue(kKey, "Name", kRegSz, BytesOf("Yes\0"s), RegistryView::k64);
  api.AddKey(kKey);
  EXPECT_EQ(Read(L"Name"), L"");
  EXPECT_TRUE(Write(L"Name", L"No"));
  EXPECT_EQ(Stored("Name")->data, BytesOf("No\0"s));
  EXPECT_EQ(api.Value(kKey, "Name", RegistryView::k64)->data, BytesOf("Yes\0"s));
}

TEST_F(RegistryTest, AUserWhoMayOnlyReadTheKeyReadsItButCannotWrite) {
  api.PutValue(kKey, "Name", kRegSz, BytesOf("Yes\0"s));
  api.Deny(kKey, kKeySetValue);
  EXPECT_EQ(Read(L"Name"), L"Yes");
  EXPECT_FALSE(Write(L"Name", L"No"));
  EXPECT_EQ(Stored("Name")->data, BytesOf("Yes\0"s));
}

TEST_F(RegistryTest, AMissingValueIsCreatedAsText) {
  api.AddKey(kKey);
  EXPECT_TRUE(Write(L"Name", L"No"));
  EXPECT_EQ(Stored("Name"), (StoredValue{kRegSz, {0x4E, 0x6F, 0x00}}));
  EXPECT_THAT(
      api.calls,
      ElementsAre(RegistryCall{"OpenKeyEx", kKey, 0x203}, RegistryCall{"QueryValueEx", "Name"},
                  RegistryCall{"SetValueEx", "Name"}, RegistryCall{"CloseKey", ""}));
}

TEST_F(RegistryTest, TextIsStoredWithOneTerminatingNul) {
  api.PutValue(kKey, "Name", kRegSz, BytesOf("No"));
  EXPECT_TRUE(Write(L"Name", L"Yes"));
  EXPECT_EQ(Stored("Name"), (StoredValue{kRegSz, {0x59, 0x65, 0x73, 0x00}}));
  EXPECT_TRUE(Write(L"Name", L""));
  EXPECT_EQ(Stored("Name"), (StoredValue{kRegSz, {0x00}}));
}

TEST_F(RegistryTest, ADwordKeepsItsTypeAndStoresTheNumberTheTextBeginsWith) {
  const std::pair<std::wstring, Bytes> cases[] = {
      {L"Yes", {0x00, 0x00, 0x00, 0x00}},        {L"No", {0x00, 0x00, 0x00, 0x00}},
      {L"258", {0x02, 0x01, 0x00, 0x00}},        {L"  258 apples", {0x02, 0x01, 0x00, 0x00}},
      {L"2.5", {0x02, 0x00, 0x00, 0x00}},        {L"3.5", {0x04, 0x00, 0x00, 0x00}},
      {L"&h12345678", {0x78, 0x56, 0x34, 0x12}}, {L"-1", {0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& [text, data] : cases) {
    api.PutValue(kKey, "Number", kRegDword, {0x2A, 0x00, 0x00, 0x00});
    EXPECT_TRUE(Write(L"Number", text)) << text;
    EXPECT_EQ(Stored("Number"), (StoredValue{kRegDword, data})) << text;
  }
}

TEST_F(RegistryTest, ADwordReadCanBeWrittenBackUnchanged) {
  api.PutValue(kKey, "Number", kRegDword, {0x00, 0x01, 0x00, 0x00});
  EXPECT_TRUE(Write(L"Number", Read(L"Number")));
  EXPECT_EQ(Stored("Number")->data, (Bytes{0x00, 0x01, 0x00, 0x00}));
}

TEST_F(RegistryTest, WritesThatHaveNoFormForTheValuesTypeStoreNothing) {
  api.PutValue(kKey, "Number", kRegDword, {0x2A, 0x00, 0x00, 0x00});
  EXPECT_FALSE(Write(L"Number", L"4294967296"));
  EXPECT_EQ(Stored("Number")->data, (Bytes{0x2A, 0x00, 0x00, 0x00}));

  for (const std::uint32_t type : {kRegExpandSz, kRegMultiSz, kRegBinary}) {
    api.PutValue(kKey, "Other", type, BytesOf("kept\0"s));
    EXPECT_FALSE(Write(L"Other", L"Yes")) << "type " << type;
    EXPECT_EQ(Stored("Other"), (StoredValue{type, BytesOf("kept\0"s)}));
  }
  EXPECT_THAT(api.calls,
              Not(::testing::Contains(::testing::Field(&RegistryCall::operation, "SetValueEx"))));
}

TEST_F(RegistryTest, AWriteUnderAMissingKeyFailsAndCreatesNothing) {
  EXPECT_FALSE(Write(L"Name", L"Yes"));
  EXPECT_FALSE(api.HasKey(kKey));
  EXPECT_FALSE(api.HasKey("SOFTWARE\\Vendor"));
  EXPECT_THAT(api.calls, ElementsAre(RegistryCall{"OpenKeyEx", kKey, 0x203}));
}

TEST_F(RegistryTest, AWriteTheRegistryRefusesReturnsFalse) {
  api.AddKey(kKey);
  api.setValueStatus = kErrorAccessDenied;
  EXPECT_FALSE(Write(L"Name", L"Yes"));
  EXPECT_FALSE(Stored("Name"));
}

TEST_F(RegistryTest, CreatingMakesEveryMissingLevelInThe32BitView) {
  registry.CreateRegistryKey(kHkeyLocalMachine, kKeyText);
  EXPECT_TRUE(api.HasKey("SOFTWARE\\Vendor"));
  EXPECT_TRUE(api.HasKey(kKey));
  EXPECT_FALSE(api.HasKey(kKey, RegistryView::k64));
  EXPECT_THAT(api.calls,
              ElementsAre(RegistryCall{"CreateKeyEx", kKey, 0x204}, RegistryCall{"CloseKey", ""}));
}

TEST_F(RegistryTest, CreatingAnExistingKeyChangesNothing) {
  api.PutValue(kKey, "Name", kRegSz, BytesOf("Yes\0"s));
  api.PutValue(kKey + "\\Child", "Other", kRegDword, {1, 0, 0, 0});
  registry.CreateRegistryKey(kHkeyLocalMachine, kKeyText);
  EXPECT_EQ(Stored("Name"), (StoredValue{kRegSz, BytesOf("Yes\0"s)}));
  EXPECT_EQ(api.Value(kKey + "\\Child", "Other"), (StoredValue{kRegDword, {1, 0, 0, 0}}));
}

TEST_F(RegistryTest, ARefusedCreationLeavesNothingBehind) {
  api.Deny("SOFTWARE", kKeyCreateSubKey);
  registry.CreateRegistryKey(kHkeyLocalMachine, kKeyText);
  EXPECT_FALSE(api.HasKey("SOFTWARE\\Vendor"));
  EXPECT_THAT(api.calls, ElementsAre(RegistryCall{"CreateKeyEx", kKey, 0x204}));
}

}  // namespace
}  // namespace calmora
