// A failure that no handler dealt with, of any kind, is reported with a number and a text before
// the program ends.
#include "app/event_dispatch_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <thread>

namespace calmora {
namespace {

HWND ThisProcessesReport() {
  for (HWND window = FindWindowW(L"#32770", nullptr); window;
       window = FindWindowExW(nullptr, window, L"#32770", nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Waits for this process's report to show its text, writes that text to stderr on one line and
// presses OK, as the user would.
void AnswerTheReport() {
  std::thread([] {
    wchar_t text[512] = {};
    HWND report = nullptr;
    while (!report || !GetDlgItemTextW(report, 0xFFFF, text, 512)) {
      Sleep(20);
      report = ThisProcessesReport();
    }
    for (wchar_t& c : text) c = c == L'\n' ? L' ' : c;
    fwprintf(stderr, L"%ls\n", text);
    fflush(stderr);
    PostMessageW(report, WM_COMMAND, IDOK, 0);
  }).detach();
}

TEST(DispatchDeathTest, AnyExceptionIsReportedWithANumberAndEndsTheProgram) {
  EXPECT_EXIT(
      {
        AnswerTheReport();
        Dispatch([] { throw std::out_of_range("no such line"); });
      },
      ::testing::ExitedWithCode(1), "Run-time error '1359': .*no such line");
  EXPECT_EXIT(
      {
        AnswerTheReport();
        Dispatch([] { throw 42; });
      },
      ::testing::ExitedWithCode(1), "Run-time error '1359':");
}

}  // namespace
}  // namespace calmora
