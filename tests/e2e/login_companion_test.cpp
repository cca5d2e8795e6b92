// CalmoraAtLogin.exe as each login starts it: a message the user has not seen shows once, and
// never in a second window.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/calmora_process.h"
#include "tests/e2e/driver/machine_state.h"
#include "tests/e2e/driver/screenshot.h"

namespace calmora::e2e {
namespace {

// The one message window that appears within `timeout`; null when none does.
HWND MessageWindowAppearing(std::chrono::milliseconds timeout) {
  WaitUntil([] { return !MessageWindows().empty(); }, timeout);
  const std::vector<HWND> windows = MessageWindows();
  return windows.size() == 1 ? windows.front() : nullptr;
}

class LoginCompanion : public ::testing::Test {
 protected:
  // Whatever Calmora a companion started is closed, also after a failure, so no case counts
  // another's window.
  LoginCompanion() { CloseEveryMessageWindow(); }
  ~LoginCompanion() override { CloseEveryMessageWindow(); }
  static void CloseEveryMessageWindow() {
    for (const HWND window : MessageWindows()) CloseAndWaitForExit(window);
  }

  // What one login does: the companion runs, from the folder it is installed in, to its end.
  std::optional<DWORD> Login() const {
    const CalmoraProcess companion(machine.Environment(), BinaryFolder() + L"\\CalmoraAtLogin.exe",
                                   BinaryFolder());
    return companion.WaitForExit(10s);
  }

  MachineState machine;
};

TEST_F(LoginCompanion, ShowsEachNewMessageOnceAndNeverInASecondWindow) {
  // A new message: Calmora shows it, and the user's record is its bytes' SHA-256.
  machine.StoreMessage("The printer moves on Monday.");
  ASSERT_TRUE(Login());
  HWND window = MessageWindowAppearing(15s);
  ASSERT_NE(window, nullptr);
  SaveScreenshot(window, L"login-companion-new-message");
  EXPECT_EQ(WindowText(MessageEditBoxOf(window)), L"The printer moves on Monday.");
  CloseAndWaitForExit(window);
  EXPECT_EQ(machine.LastMessageShown(),
            L"56df94ea197e279a1327f32d7a62b4634b1b221e78011b6e0db140ef71821679");

  // Shown once: the next login shows nothing.
  ASSERT_TRUE(Login());
  EXPECT_EQ(MessageWindowAppearing(2s), nullptr) << "the same message again";

  // A changed message shows again.
  machine.StoreMessage("The printer moves on Tuesday.");
  ASSERT_TRUE(Login());
  window = MessageWindowAppearing(15s);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(MessageEditBoxOf(window)), L"The printer moves on Tuesday.");
  CloseAndWaitForExit(window);
  const std::optional<std::wstring> tuesday = machine.LastMessageShown();
  ASSERT_TRUE(tuesday);
  EXPECT_EQ(tuesday->size(), 64u);

  // An empty message shows nothing, and the record stays.
  machine.StoreMessage("");
  ASSERT_TRUE(Login());
  EXPECT_EQ(MessageWindowAppearing(2s), nullptr) << "an empty message";
  EXPECT_EQ(machine.LastMessageShown(), tuesday);

  // Calmora's Startup shortcut starts Calmora at this login anyway: the companion starts
  // nothing, and records the message as shown.
  machine.StoreMessage("The printer moves on Wednesday.");
  machine.PlaceShortcut();
  ASSERT_TRUE(Login());
  EXPECT_EQ(MessageWindowAppearing(2s), nullptr) << "with the shortcut in the Startup folder";
  const std::optional<std::wstring> wednesday = machine.LastMessageShown();
  ASSERT_TRUE(wednesday);
  EXPECT_NE(wednesday, tuesday);
  DeleteFileW(MachineState::StartupShortcut().c_str());

  // Calmora from the companion's folder already runs: still one window, and recorded.
  machine.StoreMessage("The printer moves on Thursday.");
  const CalmoraProcess running = machine.Start();
  ASSERT_NE(running.MessageWindow(), nullptr);
  ASSERT_TRUE(Login());
  Sleep(2000);
  EXPECT_EQ(MessageWindows().size(), 1u) << "Calmora already running";
  EXPECT_NE(machine.LastMessageShown(), wednesday);
}

}  // namespace
}  // namespace calmora::e2e
