// Owners for Win32 handles, in the style of WIL's unique_any: one template, told how the kind of
// handle is released. There is no conversion to the raw handle: API calls take `.get()`, so a
// handle cannot slip out of its owner and be released twice.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <utility>

namespace calmora::win32 {

template <typename Handle>
constexpr bool IsNotNull(Handle handle) noexcept {
  return handle != nullptr;
}

// Owns `Handle` and releases it with `Close`. An empty owner holds nullptr; `IsValid` says which
// values are owned handles, for the kinds whose API reports failure with another value.
template <typename Handle, auto Close, auto IsValid = IsNotNull<Handle>>
class UniqueAny {
 public:
  UniqueAny() = default;
  explicit UniqueAny(Handle handle) noexcept : handle_(handle) {}
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  UniqueAny(UniqueAny&& other) noexcept : handle_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~UniqueAny() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return IsValid(handle_); }
  Handle release() noexcept { return std::exchange(handle_, nullptr); }
  void reset(Handle handle = nullptr) noexcept {
    if (IsValid(handle_)) Close(handle_);
    handle_ = handle;
  }
  // For APIs that hand a new handle back through a pointer.
  Handle* put() noexcept {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = nullptr;
};

// CreateFileW reports failure as INVALID_HANDLE_VALUE, not as nullptr.
inline bool IsOpenFile(HANDLE handle) noexcept {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

using UniqueHandle = UniqueAny<HANDLE, CloseHandle>;
using UniqueFile = UniqueAny<HANDLE, CloseHandle, IsOpenFile>;
using UniqueFont = UniqueAny<HFONT, DeleteObject>;
using UniqueBrush = UniqueAny<HBRUSH, DeleteObject>;
using UniqueBitmap = UniqueAny<HBITMAP, DeleteObject>;
using UniqueMemoryDc = UniqueAny<HDC, DeleteDC>;
using UniqueIcon = UniqueAny<HICON, DestroyIcon>;
using UniqueRegistryKey = UniqueAny<HKEY, RegCloseKey>;
// What the system allocated from the local heap for the caller to free, such as a security
// descriptor.
using UniqueLocalMemory = UniqueAny<HLOCAL, LocalFree>;
// A directory search of FindFirstFileExW, which also reports failure as INVALID_HANDLE_VALUE.
using UniqueFindHandle = UniqueAny<HANDLE, FindClose, IsOpenFile>;
// Text that the shell or COM allocated with the task allocator.
using UniqueTaskMemString = UniqueAny<wchar_t*, CoTaskMemFree>;

// Selects a GDI object into a device context for one scope and puts the old one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace calmora::win32
