#include "app/event_dispatch_win32.h"

#include <windows.h>

#include "app/runtime_error_report.h"
#include "platform/win32/win32_error.h"

namespace calmora {

// The exit code of a program that a run-time error ended.
constexpr UINT kEndedByRuntimeError = 1;

void ReportRuntimeErrorAndEnd(const RuntimeError& error) {
  const std::wstring report = RuntimeErrorReport(error);
  // Task-modal with no owner: the program's windows take no input while the report is up, and
  // nothing else of the program runs after it.
  MessageBoxW(nullptr, report.c_str(), std::wstring(kReportTitle).c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
  ExitProcess(kEndedByRuntimeError);
}

void ReportOutOfMemoryAndEnd() {
  ReportRuntimeErrorAndEnd(
      RuntimeError(ERROR_NOT_ENOUGH_MEMORY, win32::SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)));
}

}  // namespace calmora
