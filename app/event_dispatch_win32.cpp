#include "app/event_dispatch_win32.h"

#include <windows.h>

#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "app/runtime_error_report.h"
#include "platform/runtime_error.h"
#include "platform/win32/win32_error.h"

namespace calmora {
namespace {

// The exit code of a program that a run-time error ended.
constexpr UINT kEndedByRuntimeError = 1;

[[noreturn]] void ReportAndEnd(const RuntimeError& error) {
  const std::wstring report = RuntimeErrorReport(error);
  // Task-modal with no owner: the program's windows take no input while the report is up, and
  // nothing else of the program runs after it.
  MessageBoxW(nullptr, report.c_str(), std::wstring(kReportTitle).c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
  ExitProcess(kEndedByRuntimeError);
}

[[noreturn]] void ReportAndEnd(DWORD code, std::wstring detail = {}) {
  ReportAndEnd(RuntimeError(code, win32::SystemErrorText(code), std::move(detail)));
}

std::wstring TextOf(const char* what) {
  std::wstring text(strlen(what), L'\0');
  text.resize(static_cast<size_t>(MultiByteToWideChar(
      CP_ACP, 0, what, static_cast<int>(text.size()), text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

void ReportCurrentExceptionAndEnd() noexcept {
  try {
    throw;
  } catch (const RuntimeError& error) {
    ReportAndEnd(error);
  } catch (const std::bad_alloc&) {
    ReportAndEnd(ERROR_NOT_ENOUGH_MEMORY);
  } catch (const std::exception& error) {
    ReportAndEnd(ERROR_INTERNAL_ERROR, TextOf(error.what()));
  } catch (...) {
    ReportAndEnd(ERROR_INTERNAL_ERROR);
  }
}

}  // namespace calmora
