// A failure that no handler dealt with, of any kind, is reported with a number and a text before
// the program ends.
#include "app/event_dispatch_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

namespace calmora {
namespace {

// Answers the report as the user would once it shows: writes its text to stderr on one line, for
// the death test to match, and presses OK.
void CALLBACK ReadAndPressOk(HWND report, UINT, UINT_PTR timer, DWORD) {
  KillTimer(report, timer);
  wchar_t text[512] = {};
  GetDlgItemTextW(report, 0xFFFF, text, 512);
  for (wchar_t& c : text) c = c == L'\n' ? L' ' : c;
  fwprintf(stderr, L"%ls\n", text);
  PostMessageW(report, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK AnswerTheReport(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) SetTimer(reinterpret_cast<HWND>(wParam), 1, 0, ReadAndPressOk);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(DispatchDeathTest, AnyExceptionIsReportedWithANumberAndEndsTheProgram) {
  const auto answered = [] {
    SetWindowsHookExW(WH_CBT, AnswerTheReport, nullptr, GetCurrentThreadId());
  };
  EXPECT_EXIT((answered(), Dispatch([] { throw std::out_of_range("no such line"); })),
              ::testing::ExitedWithCode(1), "Run-time error '1359': .*no such line");
  EXPECT_EXIT((answered(), Dispatch([] { throw 42; })), ::testing::ExitedWithCode(1),
              "Run-time error '1359':");
}

}  // namespace
}  // namespace calmora
