// What every launch does before the message window shows: the one-time start is taken back, and
// the heading's font is copied into the system font folder and taken up by the heading.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/driver/calmora_process.h"
#include "tests/e2e/driver/machine_state.h"
#include "tests/e2e/driver/screenshot.h"

namespace calmora::e2e {
namespace {

class LaunchRemoval : public ::testing::Test {
 protected:
  // Starts Calmora and waits for its window; true when the window showed.
  bool Launch() {
    CalmoraProcess calmora = machine.Start();
    return calmora.MessageWindow() != nullptr;
  }

  MachineState machine;
};

TEST_F(LaunchRemoval, YesTakesTheShortcutAwayBeforeTheWindowShowsAndStaysYes) {
  const RegistryValue yesWithoutNul{REG_SZ, {'Y', 'e', 's'}};
  for (const RegistryValue& yes : {TextValue("Yes"), yesWithoutNul}) {
    machine.PlaceShortcut();
    machine.StoreSetting(yes);
    CalmoraProcess calmora = machine.Start();
    ASSERT_NE(calmora.MessageWindow(), nullptr);
    EXPECT_FALSE(machine.ShortcutExists()) << yes.data.size() << " bytes of Yes";
    EXPECT_EQ(machine.Setting(), yes);
  }
  // With no shortcut left to take, the launch changes nothing and reports nothing.
  EXPECT_TRUE(Launch());
  EXPECT_FALSE(machine.ShortcutExists());
}

// A clean-up that fails must not hide the message at every login.
TEST_F(LaunchRemoval, AShortcutThatCannotBeRemovedStillLetsTheMessageShowAndGoesLater) {
  machine.PlaceShortcut();
  machine.StoreSetting(TextValue("Yes"));
  machine.StoreMessage("Your laptop is ready.");
  SetFileAttributesW(machine.StartupShortcut().c_str(), FILE_ATTRIBUTE_READONLY);
  {
    CalmoraProcess calmora = machine.Start();
    const HWND window = calmora.MessageWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(FindWindowExW(window, nullptr, L"Edit", nullptr)),
              L"Your laptop is ready.");
    EXPECT_TRUE(machine.ShortcutExists());
  }
  SetFileAttributesW(machine.StartupShortcut().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(Launch());
  EXPECT_FALSE(machine.ShortcutExists());
}

TEST_F(LaunchRemoval, AnythingButExactlyYesLeavesTheShortcut) {
  const RegistryValue others[] = {TextValue("yes"), TextValue("Yes "), TextValue("No"),
                                  RegistryValue{REG_DWORD, {1, 0, 0, 0}}};
  machine.PlaceShortcut();
  EXPECT_TRUE(Launch());
  EXPECT_TRUE(machine.ShortcutExists()) << "no setting at all";
  for (const RegistryValue& other : others) {
    machine.StoreSetting(other);
    EXPECT_TRUE(Launch());
    EXPECT_TRUE(machine.ShortcutExists())
        << "type " << other.type << ", " << other.data.size() << " bytes";
  }
}

class FontProvisioning : public ::testing::Test {
 protected:
  FontProvisioning() {
    CreateDirectoryW(install.Path(L"program").c_str(), nullptr);
    CreateDirectoryW(install.Path(L"windows").c_str(), nullptr);
    CreateDirectoryW(install.Path(L"windows\\Fonts").c_str(), nullptr);
    CopyFileW(DefaultCalmoraPath().c_str(), install.Path(L"program\\Calmora.exe").c_str(), FALSE);
  }

  // Starts the copy of Calmora beside which the font may lie, with its own Windows folder.
  bool Launch(const std::wstring& windowsFolder) {
    CalmoraProcess calmora =
        machine.Start({{L"WinDir", windowsFolder}}, install.Path(L"program\\Calmora.exe"));
    const HWND window = calmora.MessageWindow();
    if (window) shownMessage = WindowText(FindWindowExW(window, nullptr, L"Edit", nullptr));
    return window != nullptr;
  }
  bool Launch() { return Launch(install.Path(L"windows")); }
  // What the heading shows at a start; saved as a screenshot of the window when `name` is given.
  Picture HeadingAtStart(const wchar_t* name = nullptr, const wchar_t* windowsFolder = L"windows") {
    CalmoraProcess calmora = machine.Start({{L"WinDir", install.Path(windowsFolder)}},
                                           install.Path(L"program\\Calmora.exe"));
    const HWND window = calmora.MessageWindow();
    if (!window) return {};
    if (name) SaveScreenshot(window, name);
    return CaptureWindow(FindWindowExW(window, nullptr, nullptr, L"Calmora!"));
  }
  bool Installed() const {
    return GetFileAttributesW(install.Path(L"windows\\Fonts\\ELEPHNT.TTF").c_str()) !=
           INVALID_FILE_ATTRIBUTES;
  }

  MachineState machine;
  testing::ScratchFolder install;
  std::wstring shownMessage;
};

TEST_F(FontProvisioning, AFontBesideTheProgramIsCopiedWhenMissingAndNeverReplaced) {
  install.Write(L"program\\ELEPHNT.TTF", "font file");
  ASSERT_TRUE(Launch());
  EXPECT_EQ(install.Read(L"windows\\Fonts\\ELEPHNT.TTF"), "font file");

  install.Write(L"program\\ELEPHNT.TTF", "a newer font file");
  ASSERT_TRUE(Launch());
  EXPECT_EQ(install.Read(L"windows\\Fonts\\ELEPHNT.TTF"), "font file");
}

TEST_F(FontProvisioning, TheHeadingShowsTheFontBesideTheProgramFromTheFirstStartOn) {
  const Picture fallback = HeadingAtStart();
  ASSERT_FALSE(fallback.rows.empty());
  ASSERT_TRUE(CopyFileW((BinaryFolder() + L"\\elephant-stand-in.ttf").c_str(),
                        install.Path(L"program\\ELEPHNT.TTF").c_str(), FALSE));
  // A font folder that cannot be written (here: none at all), as for a standard user.
  const Picture copyRefused = HeadingAtStart(nullptr, L"windows-without-fonts");
  const Picture copiedNow = HeadingAtStart(L"message-window-heading-font");
  EXPECT_TRUE(Installed());
  EXPECT_TRUE(copiedNow != fallback) << "the heading kept the fallback face";
  EXPECT_TRUE(copyRefused == copiedNow) << "a refused copy, and the font beside the program";
  EXPECT_TRUE(HeadingAtStart() == copiedNow) << "the font already there";
}

TEST_F(FontProvisioning, AFailedCopyStillShowsTheMessage) {
  install.Write(L"program\\ELEPHNT.TTF", "font file");
  machine.StoreMessage("The font could not be installed, but here I am.");
  ASSERT_TRUE(Launch(install.Path(L"no-such-windows")));
  EXPECT_EQ(shownMessage, L"The font could not be installed, but here I am.");
}

}  // namespace
}  // namespace calmora::e2e
