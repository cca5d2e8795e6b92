#include "platform/win32/win32_error.h"

#include "platform/win32/unique_handle.h"

namespace calmora::win32 {

std::wstring SystemErrorText(DWORD code) {
  UniqueAny<wchar_t*, LocalFree> buffer;
  // With FORMAT_MESSAGE_ALLOCATE_BUFFER the function hands back the text it allocated.
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(buffer.put()), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer.get(), length) : std::wstring();
  // The system's texts end in a line break, which would only push the report's layout about.
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) text = L"Unknown error";
  return text;
}

void ThrowError(DWORD code, std::wstring detail) {
  throw RuntimeError(code, SystemErrorText(code), std::move(detail));
}

void ThrowLastError(std::wstring detail) {
  ThrowError(GetLastError(), std::move(detail));
}

void ThrowHresult(HRESULT result, std::wstring detail) {
  const auto code = static_cast<DWORD>(result);
  if (HRESULT_FACILITY(result) == FACILITY_WIN32)
    ThrowError(HRESULT_CODE(result), std::move(detail));
  throw RuntimeError(code, SystemErrorText(code), std::move(detail));
}

}  // namespace calmora::win32
