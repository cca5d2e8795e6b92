// The Options window made in this process over a window standing in for the message window.
#include "app/options_window/options_form_win32.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>

#include "app/program_services_win32.h"
#include "platform/win32/unique_handle.h"

namespace calmora {
namespace {

struct Watch {
  HWND owner = nullptr;
  UINT leaveBy = 0;  // the message that the timer sends Options to leave it
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
  EXPECT_EQ(GetWindow(options, GW_OWNER), watch.owner) << "owned by the message window";
  EXPECT_FALSE(IsWindowEnabled(watch.owner));
  SetWindowSubclass(options, WatchHiding, 1, 0);
  // Esc presses Close; WM_CLOSE is the title bar's close.
  PostMessageW(options, watch.leaveBy, watch.leaveBy == WM_COMMAND ? IDCANCEL : 0, 0);
}

// Owned, Options stays above the message window; and the message window takes input again before
// Options hides, so Windows activates it rather than another program's window.
TEST(OptionsFormTest, IsOwnedByTheMessageWindowAndGivesItBackItsInputBeforeHiding) {
  ProgramServices platform;
  OptionsForm options(platform.services);
  watch.owner = CreateWindowExW(0, L"STATIC", L"message window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  for (const UINT leaveBy : {UINT{WM_COMMAND}, UINT{WM_CLOSE}}) {
    watch.leaveBy = leaveBy;
    watch.ownerEnabledAtHide.reset();
    SetTimer(nullptr, 0, 0, LookAndLeave);
    options.ShowModal(watch.owner);
    EXPECT_EQ(watch.ownerEnabledAtHide, true) << (leaveBy == WM_CLOSE ? "title bar" : "Close");
    EXPECT_TRUE(IsWindowEnabled(watch.owner));
  }
  DestroyWindow(watch.owner);
  // Loading and closing Options made the settings keys and stored the setting.
  win32::UniqueRegistryKey software;
  RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                software.put());
  RegDeleteTreeW(software.get(), L"Quillmoor");
}

}  // namespace
}  // namespace calmora
