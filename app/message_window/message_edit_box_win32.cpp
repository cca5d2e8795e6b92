#include "app/message_window/message_edit_box_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>

#include "app/message_window/word_breaks.h"
#include "app/window_layout_win32.h"
#include "controls/label3d/win32/label3d_accessible.h"
#include "platform/win32/win32_error.h"

namespace calmora {
namespace {

constexpr UINT_PTR kSubclassId = 1;

// Edit control messages of Windows 10 1809, newer than the MinGW headers; older systems ignore
// them.
constexpr UINT kEmSetExtendedStyle = ECM_FIRST + 10;
constexpr WPARAM kEsExAllowEolAll = 0x0001 | 0x0002;  // CR alone and LF alone

// The edit control asks its word-break procedure with the text from a line's start, an index in
// it, and the line's length.
int CALLBACK BreakAtBlanks(LPWSTR text, int index, int count, int action) {
  const std::wstring_view line(text, static_cast<std::size_t>(std::max(count, 0)));
  const auto at = static_cast<std::size_t>(std::max(index, 0));
  switch (action) {
    case WB_ISDELIMITER:
      return at < line.size() && IsWordBlank(line[at]);
    case WB_LEFT:
      return static_cast<int>(WordStartBefore(line, at));
    case WB_RIGHT:
      return static_cast<int>(WordStartAfter(line, at));
    default:
      return 0;
  }
}

}  // namespace

LRESULT CALLBACK Win32MessageEditBox::Subclass(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR, DWORD_PTR self) {
  auto& edit = *reinterpret_cast<Win32MessageEditBox*>(self);
  if (message == WM_GETOBJECT && edit.ownObjectNamedBy_ && win32::AsksForClientObject(lParam)) {
    if (const LRESULT answer =
            win32::LabelledAccessibleObject(box, wParam, edit.ownObjectNamedBy_)) {
      return answer;
    }
  }
  if (message == WM_NCDESTROY) {
    edit.name_.Clear();
    edit.box_ = nullptr;
  }
  LRESULT result = DefSubclassProc(box, message, wParam, lParam);
  // A multi-line edit control wants every key, Esc included, and answers Esc by closing its
  // window. Letting dialog navigation have Esc instead means it is simply ignored: no key
  // closes the message window without saving, apart from the title bar's close and Alt+F4.
  if (message == WM_GETDLGCODE && lParam) {
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    if (key->message == WM_KEYDOWN && key->wParam == VK_ESCAPE) result &= ~DLGC_WANTALLKEYS;
  }
  return result;
}

Win32MessageEditBox::~Win32MessageEditBox() {
  // A box whose parent takes it down later stops asking this object, and loses its name with it.
  if (box_) RemoveWindowSubclass(box_, Subclass, kSubclassId);
}

void Win32MessageEditBox::Create(HWND parent, int controlId) {
  // No ES_AUTOHSCROLL: long lines wrap at the box's width instead of scrolling sideways.
  box_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"",
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE |
                             ES_AUTOVSCROLL | ES_WANTRETURN,
                         0, 0, 0, 0, parent, ControlMenu(controlId), GetModuleHandleW(nullptr),
                         nullptr);
  if (!box_) win32::ThrowLastError();
  // An edit control stops taking text at 30,000 characters unless told otherwise; a message
  // has no length limit of its own.
  SendMessageW(box_, EM_SETLIMITTEXT, 0, 0);
  // Files from other tools may break lines with LF or CR alone; where the edit control can show
  // those as line breaks it does, keeping them as they are.
  SendMessageW(box_, kEmSetExtendedStyle, kEsExAllowEolAll, kEsExAllowEolAll);
  SendMessageW(box_, EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(BreakAtBlanks));
  SetWindowSubclass(box_, Subclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void Win32MessageEditBox::LabelledBy(HWND label) {
  // The box's own object would carry the name, but UI Automation takes a control that answers with
  // an object of its own for a plain one, and a screen reader could then no longer read the box's
  // text by line or by word: the system's object is named instead wherever the system allows it.
  const int length = GetWindowTextLengthW(label);
  std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(GetWindowTextW(label, caption.data(), length + 1)));
  ownObjectNamedBy_ = name_.Annotate(box_, caption.c_str()) ? nullptr : label;
}

std::wstring Win32MessageEditBox::Text() const {
  const int length = GetWindowTextLengthW(box_);
  // The room for the text and its NUL is counted in an int: INT_MAX characters leave none. Read
  // as no text, they would let OKAY store nothing over the message.
  if (length == std::numeric_limits<int>::max()) win32::ThrowError(ERROR_ARITHMETIC_OVERFLOW);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(box_, text.data(), length + 1)));
  return text;
}

std::span<wchar_t> Win32MessageEditBox::Reserve(std::size_t capacity) {
  room_.reset();
  reserved_ = nullptr;
  // The edit control keeps its text NUL-terminated, in movable memory of the local heap.
  if (capacity >= std::numeric_limits<SIZE_T>::max() / sizeof(wchar_t) - 1) {
    win32::ThrowError(ERROR_NOT_ENOUGH_MEMORY);
  }
  room_.reset(LocalAlloc(LMEM_MOVEABLE, (capacity + 1) * sizeof(wchar_t)));
  if (!room_) win32::ThrowLastError();
  reserved_ = static_cast<wchar_t*>(LocalLock(room_.get()));
  if (!reserved_) win32::ThrowLastError();
  capacity_ = capacity;
  return {reserved_, capacity};
}

void Win32MessageEditBox::Commit(std::size_t length) {
  if (!reserved_ || length > capacity_) win32::ThrowError(ERROR_INVALID_PARAMETER);
  reserved_[length] = L'\0';
  reserved_ = nullptr;
  LocalUnlock(room_.get());
  // Room left over (a UTF-16 file has half as many characters as bytes) goes back to the heap.
  if (length < capacity_) {
    if (HLOCAL smaller = LocalReAlloc(room_.get(), (length + 1) * sizeof(wchar_t), LMEM_MOVEABLE)) {
      room_.release();
      room_.reset(smaller);
    }
  }
  // The control gives up the buffer it has and takes this one, which it frees when it goes.
  const auto previous = reinterpret_cast<HLOCAL>(SendMessageW(box_, EM_GETHANDLE, 0, 0));
  SendMessageW(box_, EM_SETHANDLE, reinterpret_cast<WPARAM>(room_.release()), 0);
  if (previous) LocalFree(previous);
  // The control reports nothing. A box that did not take the whole text is emptied, as for any
  // message that could not be shown: part of a message must never pass for all of it, or OKAY
  // would store the part over the whole.
  if (static_cast<std::size_t>(GetWindowTextLengthW(box_)) != length) {
    SetWindowTextW(box_, L"");
    win32::ThrowError(ERROR_NOT_ENOUGH_MEMORY);
  }
}

}  // namespace calmora
