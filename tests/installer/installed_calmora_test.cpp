// The Calmora.exe that the package installed, at work as a technician uses it. Run by
// installer_test.sh in the installer's own Wine prefix and by the test bundle's elevated run,
// which name the installed program in CALMORA_INSTALLED_EXE; skipped anywhere else.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/driver/calmora_process.h"
#include "tests/e2e/driver/machine_state.h"
#include "tests/e2e/driver/screenshot.h"
#include "tests/e2e/driver/user_input.h"

namespace calmora::e2e {
namespace {

TEST(InstalledCalmora, ShowsItsWindowAndMakesAStartupShortcutToItself) {
  const wchar_t* installed = _wgetenv(L"CALMORA_INSTALLED_EXE");
  if (!installed) {
    GTEST_SKIP() << "no installed Calmora: run where the package was installed (installer_test.sh, "
                    "run-tests.cmd elevated)";
  }
  const std::wstring exe = installed;
  const std::wstring folder = exe.substr(0, exe.rfind(L'\\'));

  // Started as the Start Menu shortcut starts it, with the machine's own data folder.
  CalmoraProcess calmora({}, exe, folder);
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);
  SaveScreenshot(window, L"installed-message-window");

  // The technician leaves a message and asks for a start at the next login.
  Click(FindWindowExW(window, nullptr, L"Edit", nullptr));
  TypeText(L"Calmora was installed by the deployment tool.");
  Click(FindWindowExW(window, nullptr, nullptr, L"Calmora!"));
  const HWND options = calmora.WaitForWindow(L"Options", 10s);
  ASSERT_NE(options, nullptr);
  const HWND inUsersStartup = FindWindowExW(options, nullptr, L"Button", L"In Users Startup");
  Click(inUsersStartup);
  ASSERT_TRUE(
      WaitUntil([&] { return SendMessageW(inUsersStartup, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  Click(FindWindowExW(options, nullptr, L"Button", L"Close"));
  ASSERT_TRUE(WaitUntil([] { return MachineState::ShortcutExists(); }));

  const MachineState::ShortcutTarget target = MachineState::ReadShortcut();
  EXPECT_EQ(target.path, exe);
  EXPECT_EQ(target.workingDirectory, folder);

  Click(FindWindowExW(window, nullptr, L"Button", L"OKAY"));
  EXPECT_EQ(calmora.WaitForExit(), 0u);
}

}  // namespace
}  // namespace calmora::e2e
