// Turns Win32 and COM failure codes into the program's RuntimeError with the system's own text.
#pragma once

#include <windows.h>

#include <string>

#include "platform/runtime_error.h"

namespace calmora::win32 {

std::wstring SystemErrorText(DWORD code);

[[noreturn]] void ThrowError(DWORD code, std::wstring detail = {});
[[noreturn]] void ThrowLastError(std::wstring detail = {});
// COM failures that wrap a Win32 code are reported under that code, so the number is the same
// whether a file operation failed directly or inside the shell.
[[noreturn]] void ThrowHresult(HRESULT result, std::wstring detail = {});

inline void CheckHresult(HRESULT result, const std::wstring& detail = {}) {
  if (FAILED(result)) ThrowHresult(result, detail);
}

}  // namespace calmora::win32
