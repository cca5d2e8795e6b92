// Starts the real Calmora.exe as a person would, in a machine state the test chose, and finds
// its windows.
#pragma once

#include <windows.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace calmora::e2e {

using namespace std::chrono_literals;

class CalmoraProcess {
 public:
  // Environment variables to set for the program; an empty value removes the variable.
  using EnvironmentChanges = std::map<std::wstring, std::wstring>;

  // Starts `executable` (default: the Calmora.exe beside the tests) from `workingFolder`, with
  // `argument` on its command line when there is one (the benchmark starts notepad on a file).
  explicit CalmoraProcess(const EnvironmentChanges& changes, std::wstring executable = {},
                          std::wstring workingFolder = {}, const std::wstring& argument = {});
  CalmoraProcess(const CalmoraProcess&) = delete;
  CalmoraProcess& operator=(const CalmoraProcess&) = delete;
  // Ends the program if it still runs, so no test leaves one behind.
  ~CalmoraProcess();

  // The visible top-level window of the given class, once it appears.
  HWND WaitForWindow(const wchar_t* className, std::chrono::milliseconds timeout = 15s) const;
  HWND MessageWindow() const { return WaitForWindow(L"CalmoraForm"); }
  // The visible top-level windows of the given class right now, or null.
  HWND FindWindowNow(const wchar_t* className) const;
  // The exit code, once the program has ended; nothing when it still runs after `timeout`.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = 15s) const;

  DWORD Id() const { return id_; }

 private:
  win32::UniqueHandle process_;
  DWORD id_ = 0;
};

// The folder holding the test executable and Calmora.exe.
std::wstring BinaryFolder();
std::wstring DefaultCalmoraPath();

// The text of a message box's message, and its title.
std::wstring MessageBoxText(HWND messageBox);
std::wstring WindowText(HWND window);

// The message window's message box (its edit control) and its OKAY button.
HWND MessageEditBoxOf(HWND messageWindow);
HWND OkayButtonOf(HWND messageWindow);

// Calmora's visible message windows on the desktop, whichever process shows them: the login
// companion starts Calmora as no child of the test.
std::vector<HWND> MessageWindows();
// Leaves as the title bar's close button does, saving nothing, and waits until the window's
// process has ended.
void CloseAndWaitForExit(HWND window);

// The control of `window`'s thread that has the keyboard focus.
HWND FocusedControl(HWND window);

// Polls until `condition` holds; false after `timeout`.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = 10s) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    Sleep(25);
  }
  return condition();
}

}  // namespace calmora::e2e
