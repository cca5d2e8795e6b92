// The Options window of the real Calmora.exe: opened from the heading, set with the mouse and
// the keyboard, and checked on disk and in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/driver/calmora_process.h"
#include "tests/e2e/driver/machine_state.h"
#include "tests/e2e/driver/screenshot.h"
#include "tests/e2e/driver/user_input.h"

namespace calmora::e2e {
namespace {

class OptionsWindow : public ::testing::Test {
 protected:
  struct Options {
    HWND window;
    HWND inUsersStartup;
    HWND removeAfterReboot;
    HWND close;
  };

  // Starts Calmora and waits for its message window.
  HWND StartCalmora() {
    calmora.reset();
    calmora.emplace(machine.Environment());
    messageWindow = calmora->MessageWindow();
    return messageWindow;
  }

  // Clicks the heading and waits for Options to show.
  Options OpenOptions() {
    Click(FindWindowExW(messageWindow, nullptr, nullptr, L"Calmora!"));
    return WaitForOptions();
  }
  // Chooses Options in the message window's window menu from the keyboard: Alt+Space, then O.
  Options OpenOptionsFromWindowMenu() {
    PressChord({VK_MENU, VK_SPACE});
    if (const HWND menu = calmora->WaitForWindow(L"#32768", 5s))
      SaveScreenshot(menu, L"window-menu");
    PressKey('O');
    return WaitForOptions();
  }
  Options WaitForOptions() {
    const HWND window = calmora->WaitForWindow(L"Options", 10s);
    return {window, FindWindowExW(window, nullptr, L"Button", L"In Users Startup"),
            FindWindowExW(window, nullptr, L"Button", L"Remove from Startup on next Login."),
            FindWindowExW(window, nullptr, L"Button", L"Close")};
  }

  static bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  static void SetChecked(HWND box, bool checked) {
    if (Checked(box) != checked) Click(box);
    ASSERT_TRUE(WaitUntil([&] { return Checked(box) == checked; }));
  }
  static bool Hidden(HWND window) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
  }
  void CloseOptions(const Options& options) {
    Click(options.close);
    ASSERT_TRUE(Hidden(options.window));
  }
  void EndCalmora() {
    PostMessageW(messageWindow, WM_CLOSE, 0, 0);
    ASSERT_EQ(calmora->WaitForExit(), 0u);
  }

  MachineState machine;
  std::optional<CalmoraProcess> calmora;
  HWND messageWindow = nullptr;
};

TEST_F(OptionsWindow, OnAFreshMachineTheHeadingOpensOptionsModallyAndCloseStoresNo) {
  ASSERT_NE(StartCalmora(), nullptr);
  const Options options = OpenOptions();
  ASSERT_NE(options.window, nullptr);
  EXPECT_EQ(WindowText(options.window), L"Options");
  EXPECT_FALSE(Checked(options.inUsersStartup));
  EXPECT_TRUE(Checked(options.removeAfterReboot));
  EXPECT_FALSE(IsWindowEnabled(messageWindow)) << "the message window takes no input meanwhile";
  for (const wchar_t* key : {L"SOFTWARE\\Quillmoor", L"SOFTWARE\\Quillmoor\\Calmora",
                             L"SOFTWARE\\Quillmoor\\Calmora\\Settings"}) {
    EXPECT_TRUE(machine.SettingsKeyExists(key)) << key;
  }
  EXPECT_FALSE(machine.Setting()) << "loading stores no value";
  RECT client{};
  GetClientRect(options.window, &client);
  EXPECT_EQ(client.right, 307);
  EXPECT_EQ(client.bottom, 126);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(options.window, GWL_STYLE));
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  SaveScreenshot(options.window, L"options-window");

  // The focus starts on the first box, and Tab walks the boxes, then Close.
  for (const HWND expected : {options.inUsersStartup, options.removeAfterReboot, options.close}) {
    EXPECT_TRUE(WaitUntil([&] { return FocusedControl(options.window) == expected; }));
    PressKey(VK_TAB);
  }

  CloseOptions(options);
  EXPECT_EQ(machine.Setting(), TextValue("No"));
  EXPECT_FALSE(machine.ShortcutExists());
  EXPECT_TRUE(IsWindowEnabled(messageWindow));
  EndCalmora();
}

TEST_F(OptionsWindow, WithAShortcutTheRemovalBoxShowsAnythingButNo) {
  const std::pair<std::optional<RegistryValue>, bool> rows[] = {{TextValue("No"), false},
                                                                {std::nullopt, true}};
  for (const auto& [stored, removeChecked] : rows) {
    machine.PlaceShortcut();
    stored ? machine.StoreSetting(*stored) : machine.DeleteSetting();
    ASSERT_NE(StartCalmora(), nullptr);
    const Options options = OpenOptions();
    EXPECT_TRUE(Checked(options.inUsersStartup));
    EXPECT_EQ(Checked(options.removeAfterReboot), removeChecked);
    EndCalmora();
  }
}

struct CloseRow {
  bool inUsersStartup;
  bool shortcutBefore;
  bool removeAfterReboot;
  const char* written;
  bool shortcutAfter;
};

class OptionsCloseTable : public OptionsWindow, public ::testing::WithParamInterface<CloseRow> {};

TEST_P(OptionsCloseTable, CloseAppliesTheBoxes) {
  const CloseRow row = GetParam();
  if (row.shortcutBefore) machine.PlaceShortcut();
  ASSERT_NE(StartCalmora(), nullptr);
  const Options options = OpenOptions();
  SetChecked(options.inUsersStartup, row.inUsersStartup);
  SetChecked(options.removeAfterReboot, row.removeAfterReboot);
  CloseOptions(options);
  EXPECT_EQ(machine.Setting(), TextValue(row.written));
  EXPECT_EQ(machine.ShortcutExists(), row.shortcutAfter);
  if (row.shortcutAfter && !row.shortcutBefore) {
    EXPECT_EQ(machine.ReadShortcut().path, DefaultCalmoraPath());
  }
  EndCalmora();
}

INSTANTIATE_TEST_SUITE_P(EveryRow, OptionsCloseTable,
                         ::testing::Values(CloseRow{true, false, true, "Yes", true},
                                           CloseRow{true, false, false, "No", true},
                                           CloseRow{true, true, true, "Yes", true},
                                           CloseRow{true, true, false, "No", true},
                                           CloseRow{false, false, true, "No", false},
                                           CloseRow{false, true, true, "No", false}));

TEST_F(OptionsWindow, EscAndEnterEachActAsCloseAndTheWindowMenuOpensItAgainAsLeft) {
  ASSERT_NE(StartCalmora(), nullptr);
  Options options = OpenOptions();
  SetChecked(options.inUsersStartup, true);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(Hidden(options.window));
  EXPECT_TRUE(machine.ShortcutExists());
  EXPECT_EQ(machine.Setting(), TextValue("Yes"));

  // Changed from outside meanwhile: the hidden window is not loaded again, so it shows the boxes
  // as they were left. The window menu opens it as the heading does, modally.
  machine.StoreSetting(TextValue("No"));
  options = OpenOptionsFromWindowMenu();
  ASSERT_NE(options.window, nullptr);
  EXPECT_FALSE(IsWindowEnabled(messageWindow));
  EXPECT_TRUE(Checked(options.inUsersStartup));
  EXPECT_TRUE(Checked(options.removeAfterReboot));

  SetChecked(options.removeAfterReboot, false);  // the click leaves the focus on the box
  PressKey(VK_RETURN);
  ASSERT_TRUE(Hidden(options.window));
  EXPECT_EQ(machine.Setting(), TextValue("No"));
  EXPECT_TRUE(machine.ShortcutExists());
  EXPECT_TRUE(IsWindowEnabled(messageWindow));
  EXPECT_TRUE(WaitUntil([&] {
    return FocusedControl(messageWindow) == OkayButtonOf(messageWindow);
  })) << "the focus is back where it was";
  EndCalmora();
}

TEST_F(OptionsWindow, TheTitleBarsCloseAppliesNothingAndTheNextOpeningLoadsAfresh) {
  ASSERT_NE(StartCalmora(), nullptr);
  Options options = OpenOptions();
  SetChecked(options.inUsersStartup, true);
  PostMessageW(options.window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options.window); }));
  EXPECT_TRUE(machine.SettingsKeyExists(L"SOFTWARE\\Quillmoor\\Calmora\\Settings"));
  EXPECT_FALSE(machine.Setting());
  EXPECT_FALSE(machine.ShortcutExists());

  machine.PlaceShortcut();
  options = OpenOptions();
  EXPECT_TRUE(Checked(options.inUsersStartup)) << "loaded again, it finds the new shortcut";
  EndCalmora();
}

TEST_F(OptionsWindow, ClosingTheMessageWindowUnloadsAHiddenOptionsAndWritesNothing) {
  ASSERT_NE(StartCalmora(), nullptr);
  const Options options = OpenOptions();
  CloseOptions(options);
  machine.DeleteSetting();

  EndCalmora();
  EXPECT_FALSE(machine.Setting());
  EXPECT_FALSE(machine.ShortcutExists());
}

TEST_F(OptionsWindow, ASettingThatCannotBeStoredIsReportedAndTheShortcutStays) {
  // A value too long to be overwritten makes the write fail.
  machine.StoreSetting(TextValue(std::string(1100, 'x')));
  ASSERT_NE(StartCalmora(), nullptr);
  const Options options = OpenOptions();
  SetChecked(options.inUsersStartup, true);
  Click(options.close);
  const HWND notice = calmora->WaitForWindow(L"#32770", 10s);
  ASSERT_NE(notice, nullptr);
  EXPECT_NE(MessageBoxText(notice).find(L"could not save"), std::wstring::npos)
      << MessageBoxText(notice);
  SaveScreenshot(notice, L"options-setting-not-saved");
  PressKey(VK_RETURN);
  ASSERT_TRUE(Hidden(options.window));
  EXPECT_TRUE(machine.ShortcutExists());
  EXPECT_EQ(machine.Setting(), TextValue(std::string(1100, 'x')));
  EndCalmora();
}

TEST_F(OptionsWindow, TheOneTimeStartWorksFromEndToEnd) {
  // The technician leaves a message and asks for one start at the next login.
  ASSERT_NE(StartCalmora(), nullptr);
  Click(FindWindowExW(messageWindow, nullptr, L"Edit", nullptr));
  TypeText(L"Your new password is on its way.\nPat, IT");
  const Options options = OpenOptions();
  SetChecked(options.inUsersStartup, true);
  CloseOptions(options);
  EXPECT_TRUE(machine.ShortcutExists());
  EXPECT_EQ(machine.Setting(), TextValue("Yes"));
  Click(FindWindowExW(messageWindow, nullptr, L"Button", L"OKAY"));
  ASSERT_EQ(calmora->WaitForExit(), 0u);
  const std::string saved = "Your new password is on its way.\r\nPat, IT";
  EXPECT_EQ(machine.StoredMessage(), saved);

  // The user logs in: the shell starts what the shortcut points at, from its working folder.
  const MachineState::ShortcutTarget target = machine.ReadShortcut();
  EXPECT_EQ(target.path, DefaultCalmoraPath());
  EXPECT_EQ(target.workingDirectory, BinaryFolder());
  CalmoraProcess login = machine.Start({}, target.path, target.workingDirectory);
  const HWND window = login.MessageWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(machine.ShortcutExists()) << "the one-time start is taken back";
  EXPECT_EQ(WindowText(FindWindowExW(window, nullptr, L"Edit", nullptr)),
            L"Your new password is on its way.\r\nPat, IT");
  SaveScreenshot(window, L"message-window-at-login");
  Click(FindWindowExW(window, nullptr, L"Button", L"OKAY"));
  EXPECT_EQ(login.WaitForExit(), 0u);
  EXPECT_EQ(machine.StoredMessage(), saved);
  EXPECT_EQ(machine.Setting(), TextValue("Yes"));
}

}  // namespace
}  // namespace calmora::e2e
