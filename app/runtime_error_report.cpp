#include "app/runtime_error_report.h"

namespace calmora {

std::wstring RuntimeErrorReport(const RuntimeError& error) {
  std::wstring report =
      L"Run-time error '" + std::to_wstring(error.Number()) + L"':\n\n" + error.Text();
  if (!error.Detail().empty()) report += L"\n\n" + error.Detail();
  return report;
}

}  // namespace calmora
