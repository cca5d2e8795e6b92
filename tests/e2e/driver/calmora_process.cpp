#include "tests/e2e/driver/calmora_process.h"

#include <stdexcept>
#include <vector>

namespace calmora::e2e {
namespace {

using UniqueEnvironmentStrings = win32::UniqueAny<wchar_t*, FreeEnvironmentStringsW>;

// The current environment with the test's changes, as a sorted block for CreateProcessW.
std::wstring EnvironmentBlock(const CalmoraProcess::EnvironmentChanges& changes) {
  std::map<std::wstring, std::wstring> variables;
  const UniqueEnvironmentStrings block(GetEnvironmentStringsW());
  for (const wchar_t* entry = block.get(); *entry; entry += wcslen(entry) + 1) {
    const std::wstring text = entry;
    const auto equals = text.find(L'=', 1);
    if (equals != std::wstring::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const auto& [name, value] : changes) {
    // Windows' variable names ignore case: drop every spelling before setting the new value.
    for (auto it = variables.begin(); it != variables.end();) {
      it = _wcsicmp(it->first.c_str(), name.c_str()) == 0 ? variables.erase(it) : std::next(it);
    }
    if (!value.empty()) variables[name] = value;
  }
  std::wstring result;
  for (const auto& [name, value] : variables) result += name + L"=" + value + L'\0';
  result += L'\0';
  return result;
}

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[128] = {};
  GetClassNameW(window, className, 128);
  if (owner == search->processId && IsWindowVisible(window) &&
      wcscmp(className, search->className) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectMessageWindow(HWND window, LPARAM lParam) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (IsWindowVisible(window) && wcscmp(className, L"CalmoraForm") == 0) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> MessageWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectMessageWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void CloseAndWaitForExit(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const win32::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (process) WaitForSingleObject(process.get(), 10000);
}

std::wstring BinaryFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring DefaultCalmoraPath() {
  return BinaryFolder() + L"\\Calmora.exe";
}

CalmoraProcess::CalmoraProcess(const EnvironmentChanges& changes, std::wstring executable,
                               std::wstring workingFolder, const std::wstring& argument) {
  if (executable.empty()) executable = DefaultCalmoraPath();
  std::wstring commandLine = L"\"" + executable + L"\"";
  if (!argument.empty()) commandLine += L" \"" + argument + L"\"";
  std::wstring environment = EnvironmentBlock(changes);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, environment.data(),
                      workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup,
                      &started)) {
    throw std::runtime_error("the program did not start");
  }
  process_.reset(started.hProcess);
  // The process is what is waited for; its first thread's handle is not needed.
  const win32::UniqueHandle thread(started.hThread);
  id_ = started.dwProcessId;
}

CalmoraProcess::~CalmoraProcess() {
  if (!WaitForExit(0ms)) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

HWND CalmoraProcess::FindWindowNow(const wchar_t* className) const {
  WindowSearch search{id_, className, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND CalmoraProcess::WaitForWindow(const wchar_t* className,
                                   std::chrono::milliseconds timeout) const {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindWindowNow(className)) != nullptr || WaitForExit(0ms); },
            timeout);
  return window;
}

std::optional<DWORD> CalmoraProcess::WaitForExit(std::chrono::milliseconds timeout) const {
  if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

std::wstring WindowText(HWND window) {
  const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

HWND MessageEditBoxOf(HWND messageWindow) {
  return FindWindowExW(messageWindow, nullptr, L"Edit", nullptr);
}

HWND OkayButtonOf(HWND messageWindow) {
  return FindWindowExW(messageWindow, nullptr, L"Button", L"OKAY");
}

HWND FocusedControl(HWND window) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  return thread.hwndFocus;
}

std::wstring MessageBoxText(HWND messageBox) {
  // A message box shows its message in the static control numbered 0xFFFF.
  const HWND message = GetDlgItem(messageBox, 0xFFFF);
  return message ? WindowText(message) : std::wstring();
}

}  // namespace calmora::e2e
