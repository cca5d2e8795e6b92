// The setting "Remove From Startup on Login": where it is kept, what is written, and what the
// launch and the Options window make of every text they may find.
#include "settings/settings_schema.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/host/fakes/fake_registry_api.h"
#include "tests/host/fakes/latin1_code_page.h"

namespace calmora {
namespace {

using namespace std::string_literals;
using testing::BytesOf;
using ::testing::ElementsAre;
using testing::RegistryCall;
using testing::RegistryView;
using testing::StoredValue;

const std::string kSettings = "SOFTWARE\\Quillmoor\\Calmora\\Settings";
const std::string kValueName = "Remove From Startup on Login";

class SettingsSchemaTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(api.OpenHandleCount(), 0u) << "a key was left open"; }

  std::optional<StoredValue> Stored() const { return api.Value(kSettings, kValueName); }

  testing::FakeRegistryApi api;
  testing::Latin1CodePage ansi;
  Registry registry{api, ansi};
};

TEST_F(SettingsSchemaTest, TheThreeKeysAreCreatedFromTheTopDownAndNoValueWithThem) {
  CreateSettingsKeys(registry);
  EXPECT_THAT(
      api.calls,
      ElementsAre(RegistryCall{"CreateKeyEx", "SOFTWARE\\Quillmoor", 0x204},
                  RegistryCall{"CloseKey", ""},
                  RegistryCall{"CreateKeyEx", "SOFTWARE\\Quillmoor\\Calmora", 0x204},
                  RegistryCall{"CloseKey", ""}, RegistryCall{"CreateKeyEx", kSettings, 0x204},
                  RegistryCall{"CloseKey", ""}));
  EXPECT_TRUE(api.HasKey(kSettings));
  EXPECT_FALSE(api.HasKey(kSettings, RegistryView::k64));
  EXPECT_EQ(Stored(), std::nullopt);
}

TEST_F(SettingsSchemaTest, AFreshMachineReadsEmptyWhichLaunchAndOptionsReadDifferently) {
  const std::wstring text = ReadRemoveFromStartupOnLogin(registry);
  EXPECT_EQ(text, L"");
  EXPECT_FALSE(AsksLaunchToRemoveStartup(text));
  EXPECT_TRUE(OptionsShowsRemoveChecked(text));
}

TEST_F(SettingsSchemaTest, YesAndNoAreStoredAsTextWithTheirTerminator) {
  CreateSettingsKeys(registry);
  EXPECT_TRUE(WriteRemoveFromStartupOnLogin(registry, true));
  EXPECT_EQ(Stored(), (StoredValue{kRegSz, {0x59, 0x65, 0x73, 0x00}}));
  EXPECT_EQ(ReadRemoveFromStartupOnLogin(registry), L"Yes");

  EXPECT_TRUE(WriteRemoveFromStartupOnLogin(registry, false));
  EXPECT_EQ(Stored(), (StoredValue{kRegSz, {0x4E, 0x6F, 0x00}}));
  EXPECT_EQ(ReadRemoveFromStartupOnLogin(registry), L"No");
}

TEST_F(SettingsSchemaTest, TheWriterDoesNotCreateTheKeys) {
  api.AddKey("SOFTWARE\\Quillmoor\\Calmora");
  EXPECT_FALSE(WriteRemoveFromStartupOnLogin(registry, true));
  EXPECT_FALSE(api.HasKey(kSettings));
}

TEST_F(SettingsSchemaTest, OnlyTheExactWordsCount) {
  struct Case {
    std::wstring text;
    bool launchRemoves;
    bool optionsChecked;
  };
  const Case cases[] = {
      {L"Yes", true, true},    {L"No", false, false},    {L"", false, true},
      {L"yes", false, true},   {L"YES", false, true},    {L"Yes ", false, true},
      {L" Yes", false, true},  {L"Yes\0"s, false, true}, {L"no", false, true},
      {L"No ", false, true},   {L"No\0"s, false, true},  {L"&h000000", false, true},
      {L"Maybe", false, true},
  };
  for (const auto& [text, launchRemoves, optionsChecked] : cases) {
    EXPECT_EQ(AsksLaunchToRemoveStartup(text), launchRemoves) << text;
    EXPECT_EQ(OptionsShowsRemoveChecked(text), optionsChecked) << text;
  }
}

TEST_F(SettingsSchemaTest, YesStoredWithoutItsTerminatorStillCounts) {
  api.PutValue(kSettings, kValueName, kRegSz, BytesOf("Yes"));
  EXPECT_TRUE(AsksLaunchToRemoveStartup(ReadRemoveFromStartupOnLogin(registry)));
}

TEST_F(SettingsSchemaTest, ATextSetFromOutsideIsReplacedByTheExactWord) {
  api.PutValue(kSettings, kValueName, kRegSz, BytesOf("yes\0"s));
  EXPECT_FALSE(AsksLaunchToRemoveStartup(ReadRemoveFromStartupOnLogin(registry)));
  EXPECT_TRUE(WriteRemoveFromStartupOnLogin(registry, true));
  EXPECT_EQ(Stored(), (StoredValue{kRegSz, BytesOf("Yes\0"s)}));
}

TEST_F(SettingsSchemaTest, ANumberSetFromOutsideStaysANumberAndNeverAsksForRemoval) {
  api.PutValue(kSettings, kValueName, kRegDword, {0x01, 0x00, 0x00, 0x00});
  const std::wstring text = ReadRemoveFromStartupOnLogin(registry);
  EXPECT_FALSE(AsksLaunchToRemoveStartup(text));
  EXPECT_TRUE(OptionsShowsRemoveChecked(text));

  for (const bool remove : {true, false}) {
    EXPECT_TRUE(WriteRemoveFromStartupOnLogin(registry, remove));
    EXPECT_EQ(Stored(), (StoredValue{kRegDword, {0x00, 0x00, 0x00, 0x00}}));
  }
}

TEST_F(SettingsSchemaTest, AStandardUserStillActsOnWhatAnAdministratorStored) {
  api.PutValue(kSettings, kValueName, kRegSz, BytesOf("Yes\0"s));
  for (const char* path : {"SOFTWARE", "SOFTWARE\\Quillmoor", "SOFTWARE\\Quillmoor\\Calmora"}) {
    api.Deny(path, kKeyCreateSubKey);
  }
  api.Deny(kSettings, kKeySetValue | kKeyCreateSubKey);

  CreateSettingsKeys(registry);
  EXPECT_TRUE(AsksLaunchToRemoveStartup(ReadRemoveFromStartupOnLogin(registry)));
  EXPECT_FALSE(WriteRemoveFromStartupOnLogin(registry, false));
  EXPECT_EQ(Stored(), (StoredValue{kRegSz, BytesOf("Yes\0"s)}));
}

}  // namespace
}  // namespace calmora
