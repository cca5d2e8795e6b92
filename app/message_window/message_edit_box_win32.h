// The message window's message box: a multi-line edit control that wraps at its width, has no
// length limit, keeps Enter for new lines and gives Esc away, takes a stored message of any size
// without a second copy of it, and is named for accessibility clients by the label over it.
#pragma once

#include <windows.h>

#include "app/message_window/message_edit_box.h"
#include "platform/win32/unique_handle.h"

namespace calmora {

class Win32MessageEditBox final : public MessageEditBox {
 public:
  // Makes the box as a child of `parent`, at no size yet: the window's layout places it.
  void Create(HWND parent, int controlId);
  // Accessibility clients read the caption of `label` as the box's name.
  void LabelledBy(HWND label);
  HWND get() const { return box_; }

  std::wstring Text() const override;
  // The room is the edit control's own kind of buffer, filled in place and then handed to the
  // control whole: the control lays the text out once, and nothing is copied.
  std::span<wchar_t> Reserve(std::size_t capacity) override;
  void Commit(std::size_t length) override;

 private:
  HWND box_ = nullptr;
  // Text reserved and not yet committed, locked for writing while `reserved_` points into it.
  win32::UniqueLocalMemory room_;
  wchar_t* reserved_ = nullptr;
  std::size_t capacity_ = 0;
};

}  // namespace calmora
