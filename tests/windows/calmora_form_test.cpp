// The message window made in this process: a control that cannot be made, and a change of DPI.
#include "app/message_window/calmora_form_win32.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>

#include "app/program_services_win32.h"
#include "platform/runtime_error.h"
#include "platform/win32/unique_handle.h"
#include "tests/support/scratch_folder.h"

namespace calmora {
namespace {

// The window loads from a data folder of its own.
class CalmoraFormTest : public ::testing::Test {
 protected:
  CalmoraFormTest() {
    GetEnvironmentVariableW(L"ProgramData", programData_, MAX_PATH);
    SetEnvironmentVariableW(L"ProgramData", data_.Path().c_str());
    NewForm();
  }
  ~CalmoraFormTest() override {
    form.reset();
    SetEnvironmentVariableW(L"ProgramData", programData_);
    // The window's unloading ends the program's message loop; this thread has none to end.
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }

  void NewForm() {
    form.emplace(platform_.services, [](HWND) {});
  }

  std::optional<CalmoraForm> form;

 private:
  wchar_t programData_[MAX_PATH] = {};
  testing::ScratchFolder data_;
  ProgramServices platform_;
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

TEST_F(CalmoraFormTest, AControlThatCannotBeMadeIsReportedWithItsOwnError) {
  for (const wchar_t* control : {L"Button", L"Edit"}) {
    refusedClass = control;
    NewForm();
    const HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseOneClass, nullptr, GetCurrentThreadId());
    try {
      form->CreateAndLoad();
      ADD_FAILURE() << "made without its " << control;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), static_cast<std::uint32_t>(ERROR_NO_SYSTEM_RESOURCES)) << control;
    }
    UnhookWindowsHookEx(hook);
  }
}

bool IsLiveFont(HGDIOBJ font) {
  return GetObjectType(font) == OBJ_FONT;
}

bool IsLiveIcon(HICON icon) {
  ICONINFO parts{};
  if (!GetIconInfo(icon, &parts)) return false;
  const win32::UniqueBitmap mask(parts.hbmMask), color(parts.hbmColor);
  return true;
}

// Counts the fonts and icons that a window or control still held when it was handed new ones
// but that had already been deleted.
LRESULT CALLBACK CountDeadHandOvers(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR dead) {
  if (message == WM_SETFONT) {
    const auto held = reinterpret_cast<HGDIOBJ>(DefSubclassProc(window, WM_GETFONT, 0, 0));
    if (held && !IsLiveFont(held)) ++*reinterpret_cast<int*>(dead);
  } else if (message == WM_SETICON) {
    const auto held = reinterpret_cast<HICON>(DefSubclassProc(window, WM_GETICON, wParam, 0));
    if (held && !IsLiveIcon(held)) ++*reinterpret_cast<int*>(dead);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(CalmoraFormTest, ADpiChangeHandsOverNewFontsAndIconsBeforeTheOldOnesGo) {
  form->CreateAndLoad();
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
    EXPECT_TRUE(IsLiveFont(reinterpret_cast<HGDIOBJ>(
        SendMessageW(FindWindowExW(window, nullptr, control, nullptr), WM_GETFONT, 0, 0))))
        << control;
  }
  EXPECT_TRUE(IsLiveIcon(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0))));
}

}  // namespace
}  // namespace calmora
