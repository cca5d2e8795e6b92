// The message window of the real Calmora.exe, used as a technician and a user use it.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include "tests/e2e/driver/accessibility.h"
#include "tests/e2e/driver/calmora_process.h"
#include "tests/e2e/driver/machine_state.h"
#include "tests/e2e/driver/screenshot.h"
#include "tests/e2e/driver/user_input.h"
#include "tests/support/scratch_folder.h"

namespace calmora::e2e {
namespace {

constexpr DWORD kEndedByRuntimeError = 1;

class MessageWindow : public ::testing::Test {
 protected:
  MachineState machine;
};

TEST_F(MessageWindow, FirstStartMakesTheFolderAndShowsAnEmptyBox) {
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window), L"Desktop Support Information...");
  EXPECT_EQ(WindowText(MessageEditBoxOf(window)), L"");
  EXPECT_NE(GetFileAttributesW(machine.MessageFolder().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(machine.MessageFileExists());
  SaveScreenshot(window, L"message-window-empty");

  // Closing the window any other way than OKAY stores nothing.
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(calmora.WaitForExit(), 0u);
  EXPECT_FALSE(machine.MessageFileExists());
}

// What a screen reader reads: every control by name and for what it is. The heading's default
// action opens Options as a click does; the reader's call comes back at once, or this would wait
// until Options closed.
TEST_F(MessageWindow, AScreenReaderNamesEveryControlAndTheHeadingOpensOptions) {
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);
  const std::wstring subHeading = L"[HERE IS A MESSAGE FROM YOUR PERSONAL TECHNICIAN]";
  const HWND heading = FindWindowExW(window, nullptr, nullptr, L"Calmora!");
  const struct {
    HWND control;
    std::wstring name;
    long role;
    std::wstring defaultAction;
  } rows[] = {
      {heading, L"Calmora!", ROLE_SYSTEM_LINK, L"Click"},
      {FindWindowExW(window, nullptr, nullptr, subHeading.c_str()), subHeading,
       ROLE_SYSTEM_STATICTEXT, L""},
      {MessageEditBoxOf(window), subHeading, ROLE_SYSTEM_TEXT, L""},
  };
  for (const auto& [control, name, role, defaultAction] : rows) {
    const AccessibleReading read = ReadAccessible(control);
    EXPECT_EQ(read.name, name);
    EXPECT_EQ(read.role, role) << name;
    EXPECT_EQ(read.defaultAction, defaultAction) << name;
  }

  EXPECT_EQ(DoDefaultAction(heading), S_OK);
  const HWND options = calmora.WaitForWindow(L"Options", 10s);
  ASSERT_NE(options, nullptr);
  EXPECT_FALSE(IsWindowEnabled(window));
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(calmora.WaitForExit(), 0u);
}

TEST_F(MessageWindow, ShowsAStoredMessageExactlyAndOkayKeepsItByteForByte) {
  const std::string message =
      "Hello Sam,\r\n\r\nyour new printer is set up. Caf\xE9 \x80 \xFF\r\n  Pat";
  machine.StoreMessage(message);
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(MessageEditBoxOf(window)),
            L"Hello Sam,\r\n\r\nyour new printer is set up. Caf\u00E9 \u20AC \u00FF\r\n  Pat");
  SaveScreenshot(window, L"message-window");

  Click(OkayButtonOf(window));
  EXPECT_EQ(calmora.WaitForExit(), 0u);
  EXPECT_EQ(machine.StoredMessage(), message);
}

TEST_F(MessageWindow, EnterInTheBoxStartsALineAndEnterOnOkaySaves) {
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);
  Click(MessageEditBoxOf(window));
  TypeText(L"Back at 3.\nCall me");
  ASSERT_TRUE(WaitUntil([&] {
    return WindowText(MessageEditBoxOf(window)) == L"Back at 3.\r\nCall me";
  })) << "box holds: "
      << ::testing::PrintToString(WindowText(MessageEditBoxOf(window)));
  EXPECT_FALSE(calmora.WaitForExit(300ms)) << "Enter in the message box must not save";

  // Esc is no way out of the message window.
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(calmora.WaitForExit(300ms));

  PressKey(VK_TAB);  // to OKAY
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(window) == OkayButtonOf(window); }));
  PressKey(VK_RETURN);
  EXPECT_EQ(calmora.WaitForExit(), 0u);
  EXPECT_EQ(machine.StoredMessage(), "Back at 3.\r\nCall me");
}

TEST_F(MessageWindow, OkayOnAnEmptyBoxLeavesAZeroByteFileButNeverErasesAMessageThatArrived) {
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);
  Click(OkayButtonOf(window));
  EXPECT_EQ(calmora.WaitForExit(), 0u);
  ASSERT_TRUE(machine.MessageFileExists());
  EXPECT_EQ(machine.StoredMessage(), "");

  // Started at login, before the technician's script wrote the message.
  DeleteFileW(machine.MessageFile().c_str());
  CalmoraProcess atLogin = machine.Start();
  ASSERT_NE(atLogin.MessageWindow(), nullptr);
  machine.StoreMessage("Your laptop is ready.");
  Click(OkayButtonOf(atLogin.MessageWindow()));
  EXPECT_EQ(atLogin.WaitForExit(), 0u);
  EXPECT_EQ(machine.StoredMessage(), "Your laptop is ready.");
}

TEST_F(MessageWindow, AltF4ClosesWithoutSaving) {
  machine.StoreMessage("keep me");
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);
  Click(MessageEditBoxOf(window));
  TypeText(L"typed but not saved");
  PressChord({VK_MENU, VK_F4});
  EXPECT_EQ(calmora.WaitForExit(), 0u);
  EXPECT_EQ(machine.StoredMessage(), "keep me");
}

TEST_F(MessageWindow, AMessageFolderGoneBeforeOkayIsReportedAndNothingIsCreated) {
  machine.StoreMessage("old");
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);
  Click(MessageEditBoxOf(window));
  TypeText(L"new ");
  testing::RemoveTree(machine.MessageFolder());

  Click(OkayButtonOf(window));
  const HWND report = calmora.WaitForWindow(L"#32770");
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(WindowText(report), L"Calmora");
  EXPECT_NE(MessageBoxText(report).find(L"Run-time error '3':"), std::wstring::npos)
      << MessageBoxText(report);
  SaveScreenshot(report, L"runtime-error-report");
  PressKey(VK_RETURN);
  EXPECT_EQ(calmora.WaitForExit(), kEndedByRuntimeError);
  EXPECT_EQ(GetFileAttributesW(machine.MessageFolder().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MessageWindow, AMessageFileHeldWithoutSharingIsReportedAndNoWindowShows) {
  machine.StoreMessage("locked away");
  HANDLE held = CreateFileW(machine.MessageFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  CalmoraProcess calmora = machine.Start();
  const HWND report = calmora.WaitForWindow(L"#32770");
  ASSERT_NE(report, nullptr);
  EXPECT_NE(MessageBoxText(report).find(L"Run-time error '32':"), std::wstring::npos)
      << MessageBoxText(report);
  EXPECT_EQ(calmora.FindWindowNow(L"CalmoraForm"), nullptr);
  PressKey(VK_RETURN);
  EXPECT_EQ(calmora.WaitForExit(), kEndedByRuntimeError);
  CloseHandle(held);
  EXPECT_EQ(machine.StoredMessage(), "locked away");
}

TEST_F(MessageWindow, ATenMebibyteMessageLoadsAndSavesByteForByte) {
  std::string message;
  for (int line = 0; message.size() < 10 * 1024 * 1024; ++line) {
    message += "Line " + std::to_string(line) + ": the quick brown fox \xE9\xE8 jumps.\r\n";
  }
  machine.StoreMessage(message);
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.WaitForWindow(L"CalmoraForm", 120s);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(static_cast<size_t>(SendMessageW(MessageEditBoxOf(window), WM_GETTEXTLENGTH, 0, 0)),
            message.size());
  Click(MessageEditBoxOf(window));
  PressChord({VK_CONTROL, VK_END});
  TypeText(L"!");
  Click(OkayButtonOf(window));
  EXPECT_EQ(calmora.WaitForExit(120s), 0u);
  EXPECT_TRUE(machine.StoredMessage() == message + "!") << "the saved message differs";
}

TEST_F(MessageWindow, OpensCentredAndResizingMovesNoControl) {
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);

  RECT frame{};
  GetWindowRect(window, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  EXPECT_NEAR(frame.left - monitor.rcWork.left, monitor.rcWork.right - frame.right, 1);
  EXPECT_NEAR(frame.top - monitor.rcWork.top, monitor.rcWork.bottom - frame.bottom, 1);

  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 453);

  const auto controlRects = [&] {
    std::vector<RECT> rects;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r{};
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
      rects.push_back(r);
    }
    return rects;
  };
  const auto before = controlRects();
  ASSERT_EQ(before.size(), 4u);
  for (const SIZE size : {SIZE{900, 700}, SIZE{300, 200}}) {
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    const auto after = controlRects();
    for (size_t i = 0; i < before.size(); ++i) {
      EXPECT_TRUE(EqualRect(&before[i], &after[i])) << "control " << i << " moved";
    }
  }
}

}  // namespace
}  // namespace calmora::e2e
