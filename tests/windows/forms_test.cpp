// The program's two windows made in this process with its real platform services: a control
// that cannot be made, a change of DPI, Options over its owner, and a box too full to read.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>

#include "app/message_window/calmora_form_win32.h"
#include "app/options_window/options_form_win32.h"
#include "app/program_services_win32.h"
#include "platform/runtime_error.h"
#include "platform/win32/unique_handle.h"
#include "tests/support/scratch_folder.h"

namespace calmora {
namespace {

// Each case loads from a data folder of its own and leaves no settings behind.
class FormsTest : public ::testing::Test {
 protected:
  FormsTest() { SetEnvironmentVariableW(L"ProgramData", data_.Path().c_str()); }
  ~FormsTest() override {
    // The message window's unloading ends the program's message loop; this thread has none.
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    win32::UniqueRegistryKey software;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                  software.put());
    RegDeleteTreeW(software.get(), L"Quillmoor");
  }

  testing::ScratchFolder data_;
  ProgramServices platform;
};

const wchar_t* refusedClass = nullptr;

// Refuses to make windows of one class, with an error of its own; every other window is made but
// leaves another error behind, as calls that succeed may.
LRESULT CALLBACK RefuseOneClass(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    wchar_t name[64] = {};
    GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
    const bool refused = _wcsicmp(name, refusedClass) == 0;
    SetLastError(refused ? ERROR_NO_SYSTEM_RESOURCES : ERROR_INVALID_DATA);
    if (refused) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(FormsTest, AControlThatCannotBeMadeIsReportedWithItsOwnError) {
  for (const wchar_t* control : {L"Button", L"Edit"}) {
    refusedClass = control;
    CalmoraForm form(platform.services, [](HWND) {});
    const HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseOneClass, nullptr, GetCurrentThreadId());
    try {
      form.CreateAndLoad();
      ADD_FAILURE() << "made without its " << control;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), static_cast<std::uint32_t>(ERROR_NO_SYSTEM_RESOURCES)) << control;
    }
    UnhookWindowsHookEx(hook);
  }
}

bool IsLive(UINT setMessage, LRESULT handle) {
  if (setMessage == WM_SETFONT) return GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) == OBJ_FONT;
  ICONINFO parts{};
  if (!GetIconInfo(reinterpret_cast<HICON>(handle), &parts)) return false;
  const win32::UniqueBitmap mask(parts.hbmMask), color(parts.hbmColor);
  return true;
}

// Counts the fonts and icons that a window still held, deleted already, when handed new ones.
LRESULT CALLBACK CountDeadHandOvers(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR dead) {
  if (message == WM_SETFONT || message == WM_SETICON) {
    const UINT get = message == WM_SETFONT ? WM_GETFONT : WM_GETICON;
    const LRESULT held = DefSubclassProc(window, get, message == WM_SETICON ? wParam : 0, 0);
    if (held && !IsLive(message, held)) ++*reinterpret_cast<int*>(dead);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(FormsTest, ADpiChangeHandsOverNewFontsAndIconsBeforeTheOldOnesGo) {
  CalmoraForm form(platform.services, [](HWND) {});
  form.CreateAndLoad();
  const HWND window = FindWindowW(L"CalmoraForm", nullptr);
  ASSERT_NE(window, nullptr);
  int dead = 0;
  SetWindowSubclass(window, CountDeadHandOvers, 1, reinterpret_cast<DWORD_PTR>(&dead));
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SetWindowSubclass(child, CountDeadHandOvers, 1, reinterpret_cast<DWORD_PTR>(&dead));
  }
  RECT suggested{0, 0, 960, 680};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(dead, 0);
  for (const wchar_t* control : {L"Button", L"Edit"}) {
    const HWND held = FindWindowExW(window, nullptr, control, nullptr);
    EXPECT_TRUE(IsLive(WM_SETFONT, SendMessageW(held, WM_GETFONT, 0, 0))) << control;
  }
  EXPECT_TRUE(IsLive(WM_SETICON, SendMessageW(window, WM_GETICON, ICON_BIG, 0)));
}

struct {
  HWND owner = nullptr;
  UINT leaveBy = 0;  // the message that makes Options leave
  std::optional<bool> ownerEnabledAtHide;
} watch;

LRESULT CALLBACK WatchHiding(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  if (message == WM_WINDOWPOSCHANGING &&
      (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW)) {
    watch.ownerEnabledAtHide = IsWindowEnabled(watch.owner) != FALSE;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// Runs inside Options' modal loop once it shows.
void CALLBACK LookAndLeave(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const HWND options = FindWindowW(L"Options", nullptr);
  EXPECT_EQ(GetWindow(options, GW_OWNER), watch.owner);
  EXPECT_FALSE(IsWindowEnabled(watch.owner));
  SetWindowSubclass(options, WatchHiding, 1, 0);
  // Esc presses Close; WM_CLOSE is the title bar's close.
  PostMessageW(options, watch.leaveBy, watch.leaveBy == WM_COMMAND ? IDCANCEL : 0, 0);
}

// Owned, Options stays above the message window; and the message window takes input again before
// Options hides, so Windows activates it rather than another program's window.
TEST_F(FormsTest, OptionsIsOwnedByTheMessageWindowAndGivesItBackItsInputBeforeHiding) {
  OptionsForm options(platform.services);
  watch.owner = CreateWindowExW(0, L"STATIC", L"message window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  for (const UINT leaveBy : {UINT{WM_COMMAND}, UINT{WM_CLOSE}}) {
    watch.leaveBy = leaveBy;
    watch.ownerEnabledAtHide.reset();
    SetTimer(nullptr, 0, 0, LookAndLeave);
    options.ShowModal(watch.owner);
    EXPECT_EQ(watch.ownerEnabledAtHide, true) << (leaveBy == WM_CLOSE ? "title bar" : "Close");
  }
  DestroyWindow(watch.owner);
}

// GetWindowTextW counts a text and its NUL in an int: INT_MAX characters in the box are an error
// to read, not the empty text that OKAY would store over the message.
TEST(Win32MessageEditBox, ATextOfIntMaxCharactersIsAnErrorNotAnEmptyText) {
  Win32MessageEditBox box;
  box.Create(HWND_MESSAGE, 1);
  const SUBCLASSPROC sayIntMax = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR) -> LRESULT {
    return message == WM_GETTEXTLENGTH ? INT_MAX : DefSubclassProc(window, message, wParam, lParam);
  };
  SetWindowSubclass(box.get(), sayIntMax, 1, 0);
  EXPECT_THROW(box.Text(), RuntimeError);
  DestroyWindow(box.get());
}

}  // namespace
}  // namespace calmora
