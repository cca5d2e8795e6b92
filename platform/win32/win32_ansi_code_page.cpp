#include "platform/win32/win32_ansi_code_page.h"

#include <windows.h>

#include <climits>

#include "platform/win32/win32_error.h"

namespace calmora::win32 {
namespace {

int CheckedLength(size_t size) {
  if (size > static_cast<size_t>(INT_MAX)) ThrowError(ERROR_ARITHMETIC_OVERFLOW);
  return static_cast<int>(size);
}

}  // namespace

std::string Win32AnsiCodePage::Encode(std::wstring_view text) const {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  // Characters the code page cannot hold become a look-alike or its default character, as
  // Windows does for every ANSI program.
  const int needed =
      WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed == 0) ThrowLastError();
  std::string bytes(static_cast<size_t>(needed), '\0');
  if (!WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), needed, nullptr,
                           nullptr)) {
    ThrowLastError();
  }
  return bytes;
}

std::optional<std::string> Win32AnsiCodePage::EncodeExactly(std::wstring_view text) const {
  if (text.empty()) return std::string();
  const int length = CheckedLength(text.size());
  // With the system set to UTF-8 every character converts; only a lone surrogate does not, and
  // the system refuses a used-default flag for UTF-8, so it is asked to fail on those instead.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* const usedDefaultFlag = utf8 ? nullptr : &usedDefault;
  const int needed =
      WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, usedDefaultFlag);
  if (needed == 0) {
    if (GetLastError() == ERROR_NO_UNICODE_TRANSLATION) return std::nullopt;
    ThrowLastError();
  }
  if (usedDefault) return std::nullopt;
  std::string bytes(static_cast<size_t>(needed), '\0');
  if (!WideCharToMultiByte(CP_ACP, flags, text.data(), length, bytes.data(), needed, nullptr,
                           nullptr)) {
    ThrowLastError();
  }
  return bytes;
}

std::size_t Win32AnsiCodePage::DecodeInto(std::string_view bytes, std::span<wchar_t> text) const {
  if (bytes.empty()) return 0;
  const int written = MultiByteToWideChar(CP_ACP, 0, bytes.data(), CheckedLength(bytes.size()),
                                          text.data(), CheckedLength(text.size()));
  if (written == 0) ThrowLastError();
  return static_cast<std::size_t>(written);
}

}  // namespace calmora::win32
