// Names a window's client area for accessibility clients by annotating the system's own object for
// it, which keeps everything else the system knows of the control: UI Automation still reads an
// edit control's text by line and by word. Windows offers this through oleacc's property services;
// Wine does not, and there the annotation reports that it could not be made.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include "platform/win32/com_ptr.h"

namespace calmora::win32 {

class AccessibleNameAnnotation {
 public:
  AccessibleNameAnnotation() = default;
  AccessibleNameAnnotation(const AccessibleNameAnnotation&) = delete;
  AccessibleNameAnnotation& operator=(const AccessibleNameAnnotation&) = delete;
  ~AccessibleNameAnnotation() { Clear(); }

  // Gives `window`'s client area the name `name`, in place of any earlier one. Needs COM on the
  // calling thread. False when the system could not take the name: nothing is annotated then.
  bool Annotate(HWND window, const wchar_t* name);
  // Takes the name away. Due before the window is destroyed: its handle may be reused by another.
  void Clear() noexcept;

 private:
  ComPtr<IAccPropServices> services_;
  HWND window_ = nullptr;
};

}  // namespace calmora::win32
