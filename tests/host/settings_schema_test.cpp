// The setting "Remove From Startup on Login": the keys made for it, where its words are stored,
// and that only the exact words count.
#include "settings/settings_schema.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/host/fakes/fake_registry_api.h"
#include "tests/host/fakes/latin1_code_page.h"

namespace calmora {
namespace {

using namespace std::string_literals;
using ::testing::ElementsAre;
using testing::RegistryCall;

TEST(SettingsSchema, TheThreeKeysAreCreatedFromTheTopDownAndTheWordStoredInTheLast) {
  testing::FakeRegistryApi api;
  const testing::Latin1CodePage ansi;
  const Registry registry{api, ansi};
  CreateSettingsKeys(registry);
  constexpr std::uint32_t kCreate = kKeyCreateSubKey | kKeyWow64_32Key;
  EXPECT_THAT(
      api.calls,
      ElementsAre(RegistryCall{"CreateKeyEx", "SOFTWARE\\Quillmoor", kCreate},
                  RegistryCall{"CloseKey", ""},
                  RegistryCall{"CreateKeyEx", "SOFTWARE\\Quillmoor\\Calmora", kCreate},
                  RegistryCall{"CloseKey", ""},
                  RegistryCall{"CreateKeyEx", "SOFTWARE\\Quillmoor\\Calmora\\Settings", kCreate},
                  RegistryCall{"CloseKey", ""}));

  EXPECT_TRUE(WriteRemoveFromStartupOnLogin(registry, true));
  EXPECT_EQ(api.Value("SOFTWARE\\Quillmoor\\Calmora\\Settings", "Remove From Startup on Login"),
            (testing::StoredValue{kRegSz, testing::BytesOf("Yes\0"s)}));
  EXPECT_EQ(ReadRemoveFromStartupOnLogin(registry), L"Yes");
}

TEST(SettingsSchema, OnlyTheExactWordsCount) {
  struct Case {
    std::wstring text;
    bool launchRemoves;
    bool optionsChecked;
  };
  const Case cases[] = {
      {L"Yes", true, true},  {L"No", false, false},   {L"", false, true},
      {L"yes", false, true}, {L"Yes ", false, true},  {L"Yes\0"s, false, true},
      {L"no", false, true},  {L"No\0"s, false, true}, {L"&h000000", false, true},
  };
  for (const auto& [text, launchRemoves, optionsChecked] : cases) {
    EXPECT_EQ(RemoveFromStartupOnLoginAtLaunch(text), launchRemoves) << text;
    EXPECT_EQ(RemoveFromStartupOnLoginInOptions(text), optionsChecked) << text;
  }
}

}  // namespace
}  // namespace calmora
