// The Options window's load and Close, row by row, against an in-memory shell and registry.
#include <gtest/gtest.h>

#include "app/options_window/options_form.h"
#include "tests/host/fakes/fake_services.h"

namespace calmora {
namespace {

const std::string kSettingsKey = "SOFTWARE\\Quillmoor\\Calmora\\Settings";
const std::string kValueName = "Remove From Startup on Login";
const std::wstring kShortcut =
    L"C:\\Startup\\Calmora - Display a Message from a Support Person.lnk";

class OptionsWindowTest : public ::testing::Test, protected testing::FakeServices {
 protected:
  OptionsWindowTest() {
    files.folders = {L"C:\\Startup"};
    shell.startupFolder = L"C:\\Startup";
  }

  void PlaceShortcut() { files.files[kShortcut] = "made elsewhere"; }
  bool ShortcutPresent() const { return files.files.contains(kShortcut); }
  void StoreSetting(std::string_view text) {
    registry.PutValue(kSettingsKey, kValueName, kRegSz, testing::BytesOf(text));
  }
  std::optional<testing::StoredValue> Setting() const {
    return registry.Value(kSettingsKey, kValueName);
  }
  static testing::StoredValue Text(std::string_view text) {
    testing::Bytes bytes = testing::BytesOf(text);
    bytes.push_back(0);
    return {kRegSz, bytes};
  }
};

TEST_F(OptionsWindowTest, LoadWithoutShortcutCreatesTheKeysAndReadsNothing) {
  StoreSetting("No");
  registry.calls.clear();
  EXPECT_EQ(Options_Form_Load(services), (OptionsCheckBoxes{kUnchecked, kChecked}));
  for (const auto& call : registry.calls) EXPECT_NE(call.operation, "QueryValueEx");
  EXPECT_TRUE(registry.HasKey("SOFTWARE\\Quillmoor"));
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(OptionsWindowTest, LoadWithShortcutShowsTheRemovalBoxUnlessTheSettingIsExactlyNo) {
  PlaceShortcut();
  EXPECT_EQ(Options_Form_Load(services), (OptionsCheckBoxes{kChecked, kChecked}))
      << "no stored setting";
  EXPECT_TRUE(registry.HasKey(kSettingsKey));
  EXPECT_FALSE(Setting()) << "loading creates the keys and no value";

  for (const auto& [stored, removeAfterReboot] : std::vector<std::pair<std::string, CheckBoxValue>>{
           {"No", kUnchecked}, {"Yes", kChecked}, {"no", kChecked}, {"No ", kChecked}}) {
    StoreSetting(stored);
    EXPECT_EQ(Options_Form_Load(services), (OptionsCheckBoxes{kChecked, removeAfterReboot}))
        << "stored \"" << stored << "\"";
  }
}

struct CloseRow {
  CheckBoxValue inUsersStartup;
  bool shortcutBefore;
  CheckBoxValue removeAfterReboot;
  bool created;
  const char* written;
  bool shortcutAfter;
};

TEST_F(OptionsWindowTest, CloseFollowsTheOutcomeTableRowByRow) {
  const CloseRow rows[] = {
      {kChecked, false, kChecked, true, "Yes", true},
      {kChecked, false, kUnchecked, true, "No", true},
      {kChecked, true, kChecked, false, "Yes", true},
      {kChecked, true, kUnchecked, false, "No", true},
      {kUnchecked, false, kChecked, false, "No", false},
      {kUnchecked, true, kChecked, false, "No", false},
      // The grayed value counts as unchecked.
      {2, true, kChecked, false, "No", false},
      {kChecked, true, 2, false, "No", true},
  };
  registry.AddKey(kSettingsKey);
  for (const CloseRow& row : rows) {
    SCOPED_TRACE(::testing::Message()
                 << "in users startup " << row.inUsersStartup << ", shortcut before "
                 << row.shortcutBefore << ", remove " << row.removeAfterReboot);
    files.files.erase(kShortcut);
    if (row.shortcutBefore) PlaceShortcut();
    shell.saved.clear();

    const CloseOutcome outcome =
        Close_Button_Click(services, {row.inUsersStartup, row.removeAfterReboot});
    EXPECT_EQ(shell.saved.size(), row.created ? 1u : 0u);
    EXPECT_EQ(Setting(), Text(row.written));
    EXPECT_EQ(ShortcutPresent(), row.shortcutAfter);
    EXPECT_EQ(outcome.shortcutPresent, row.shortcutAfter);
    EXPECT_TRUE(outcome.settingStored);
    // A shortcut that was already there is not rewritten, wherever it points.
    if (row.shortcutBefore && row.shortcutAfter) {
      EXPECT_EQ(files.files[kShortcut], "made elsewhere");
    }
  }
}

// The notice word for word: what the next login does, and no cause the program did not see.
TEST_F(OptionsWindowTest, ASettingThatCannotBeStoredIsReportedWithWhatTheNextLoginDoes) {
  const std::wstring notSaved =
      L"Calmora could not save whether to remove it from the Startup folder at the next login.";
  const std::wstring everyLogin =
      L"\n\nThe shortcut stays in the Startup folder, and Calmora starts at every login, until "
      L"the shortcut is removed.";
  const std::wstring nextLoginOnly =
      L"\n\nThe setting saved before stays: Calmora starts at the next login and then removes its "
      L"shortcut from the Startup folder.";
  struct Row {
    const char* storedBefore;  // nullptr: no settings key, as when its creation failed at load
    OptionsCheckBoxes boxes;
    std::wstring notice;
  };
  for (const Row& row : {Row{nullptr, {kChecked, kChecked}, notSaved + everyLogin},
                         Row{nullptr, {kUnchecked, kChecked}, notSaved},
                         Row{"Yes", {kChecked, kUnchecked}, notSaved + nextLoginOnly}}) {
    files.files.erase(kShortcut);
    if (row.storedBefore) StoreSetting(std::string(row.storedBefore) + '\0');
    registry.deniedRights = kKeySetValue;
    const CloseOutcome outcome = Close_Button_Click(services, row.boxes);
    EXPECT_FALSE(outcome.settingStored);
    EXPECT_EQ(SettingNotStoredNotice(outcome), row.notice);
  }
}

TEST_F(OptionsWindowTest, AFailedShortcutStepLeavesTheSettingUnwritten) {
  registry.AddKey(kSettingsKey);
  PlaceShortcut();
  files.failingOperations["Delete"] = 5;
  EXPECT_THROW(Close_Button_Click(services, {kUnchecked, kUnchecked}), RuntimeError);
  EXPECT_FALSE(Setting());

  shell.saveFailure = 5;
  files.files.erase(kShortcut);
  EXPECT_THROW(Close_Button_Click(services, {kChecked, kChecked}), RuntimeError);
  EXPECT_FALSE(Setting());
}

}  // namespace
}  // namespace calmora
