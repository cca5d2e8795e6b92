// The words of the report that ends the program after a run-time error nobody handled.
#pragma once

#include <string>
#include <string_view>

#include "platform/runtime_error.h"

namespace calmora {

inline constexpr std::wstring_view kReportTitle = L"Calmora";

// "Run-time error '3':" then the system's text, then what the failing call worked on.
std::wstring RuntimeErrorReport(const RuntimeError& error);

}  // namespace calmora
