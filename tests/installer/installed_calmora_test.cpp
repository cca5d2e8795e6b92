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

// Runs a command line as the shell runs a Run value's, and lets it end.
bool RunCommand(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return false;
  }
  const win32::UniqueHandle process(started.hProcess);
  const win32::UniqueHandle thread(started.hThread);
  return WaitForSingleObject(process.get(), 10000) == WAIT_OBJECT_0;
}

// A Startup shortcut to Calmora, as the story before leaves, starts Calmora at the login itself,
// and the companion then starts nothing: it is set aside for a while, and put back after.
class ShortcutSetAside {
 public:
  ShortcutSetAside()
      : shortcut_(MachineState::StartupShortcut()),
        aside_(shortcut_ + L".aside"),
        moved_(MoveFileExW(shortcut_.c_str(), aside_.c_str(), MOVEFILE_REPLACE_EXISTING)) {}
  ShortcutSetAside(const ShortcutSetAside&) = delete;
  ShortcutSetAside& operator=(const ShortcutSetAside&) = delete;
  ~ShortcutSetAside() {
    if (moved_) MoveFileExW(aside_.c_str(), shortcut_.c_str(), MOVEFILE_REPLACE_EXISTING);
  }

 private:
  std::wstring shortcut_;
  std::wstring aside_;
  bool moved_;
};

// The package installed with SHOW_NEW_MESSAGES_AT_LOGIN=Yes: the machine's Run value starts the
// login companion at each login, which shows a new message once.
TEST(InstalledCalmora, TheRunValueShowsANewMessageOnce) {
  std::wstring command(1024, L'\0');
  DWORD size = static_cast<DWORD>(command.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                   L"Calmora", RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, nullptr, command.data(),
                   &size) != ERROR_SUCCESS) {
    GTEST_SKIP()
        << "no Run value: the package was installed without SHOW_NEW_MESSAGES_AT_LOGIN=Yes";
  }
  command.resize(size / sizeof(wchar_t) - 1);
  MachineState::DeleteLastMessageShown();
  const ShortcutSetAside noStartupShortcut;
  // The machine's own message file, which the package's folder holds.
  wchar_t programData[MAX_PATH] = {};
  GetEnvironmentVariableW(L"ProgramData", programData, MAX_PATH);
  const std::wstring message = std::wstring(programData) + L"\\Quillmoor\\UserMessage.txt";
  {
    const win32::UniqueFile file(CreateFileW(message.c_str(), GENERIC_WRITE, 0, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    const char text[] = "The printer moves on Monday.";
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), text, sizeof text - 1, &written, nullptr));
  }

  ASSERT_TRUE(RunCommand(command)) << "the Run value's command";
  ASSERT_TRUE(WaitUntil([] { return MessageWindows().size() == 1; }, 15s));
  const HWND window = MessageWindows().front();
  SaveScreenshot(window, L"installed-login-companion");
  EXPECT_EQ(WindowText(MessageEditBoxOf(window)), L"The printer moves on Monday.");
  CloseAndWaitForExit(window);

  // Once: the next login shows nothing.
  ASSERT_TRUE(RunCommand(command));
  EXPECT_FALSE(WaitUntil([] { return !MessageWindows().empty(); }, 2s));
  EXPECT_TRUE(MachineState::LastMessageShown());
  MachineState::DeleteLastMessageShown();
}

}  // namespace
}  // namespace calmora::e2e
