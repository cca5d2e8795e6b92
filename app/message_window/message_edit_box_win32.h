// The message window's message box: a multi-line edit control that wraps at its width, has no
// length limit, keeps Enter for new lines and gives Esc away, takes a stored message of any size
// without a second copy of it, and is named for accessibility clients by the label over it.
#pragma once

#include <windows.h>

#include "app/message_window/message_edit_box.h"
#include "platform/win32/accessible_name_annotation.h"
#include "platform/win32/unique_handle.h"

namespace calmora {

class Win32MessageEditBox final : public MessageEditBox {
 public:
  Win32MessageEditBox() = default;
  Win32MessageEditBox(const Win32MessageEditBox&) = delete;
  Win32MessageEditBox& operator=(const Win32MessageEditBox&) = delete;
  ~Win32MessageEditBox() override;

  // Makes the box as a child of `parent`, at no size yet: the window's layout places it.
  void Create(HWND parent, int controlId);
  // Accessibility clients read the caption of `label`, which never changes, as the box's name.
  void LabelledBy(HWND label);
  HWND get() const { return box_; }

  std::wstring Text() const override;
  // The room is the edit control's own kind of buffer, filled in place and then handed to the
  // control whole: the control lays the text out once, and nothing is copied.
  std::span<wchar_t> Reserve(std::size_t capacity) override;
  void Commit(std::size_t length) override;

 private:
  static LRESULT CALLBACK Subclass(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR self);

  HWND box_ = nullptr;
  // Where the system names the box, the box stays the system's own accessible object; elsewhere
  // it answers with one of its own, named by `ownObjectNamedBy_`.
  win32::AccessibleNameAnnotation name_;
  HWND ownObjectNamedBy_ = nullptr;
  // Text reserved and not yet committed, locked for writing while `reserved_` points into it.
  win32::UniqueLocalMemory room_;
  wchar_t* reserved_ = nullptr;
  std::size_t capacity_ = 0;
};

}  // namespace calmora
