// The message window on screen: made from its design, loaded, shown centred, painted in the
// design's colours or a high-contrast theme's, and torn down when it unloads.
#pragma once

#include <windows.h>

#include <functional>

#include "app/form_window_win32.h"
#include "app/message_window/message_edit_box_win32.h"
#include "app/message_window/message_window_colors.h"
#include "app/services.h"
#include "platform/win32/unique_handle.h"
#include "store/loaded_message.h"

namespace calmora {

class CalmoraForm {
 public:
  // `headingClicked` runs, given this window, when the user clicks the heading or chooses Options
  // in the window menu.
  CalmoraForm(const Services& services, std::function<void(HWND window)> headingClicked);
  CalmoraForm(const CalmoraForm&) = delete;
  CalmoraForm& operator=(const CalmoraForm&) = delete;
  ~CalmoraForm();

  // Makes the window and its controls, hidden, then runs the load sequence. A failure leaves as
  // a RuntimeError and the window is never shown.
  void CreateAndLoad();
  void ShowCentred();
  // The window's messages, as its window procedure hands them on.
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnCommand(WORD id, WORD code);
  void CreateControls();
  void ApplyDpi(UINT dpi);
  // Takes the colours for the system's contrast setting and paints everything again in them.
  void ApplyColors();
  void OpenOptions();

  const Services& services_;
  std::function<void(HWND)> headingClicked_;
  // What the load put into the message box; OKAY stores the box only when it differs.
  LoadedMessage loaded_ = LoadedMessage::NoFile();
  HWND window_ = nullptr;
  Win32MessageEditBox messageBox_;
  HWND okayButton_ = nullptr;
  HWND calmoraLabel_ = nullptr;
  HWND yourTechLabel_ = nullptr;
  DialogFocus focus_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  win32::UniqueBrush backBrush_;
  win32::UniqueBrush messageBoxBrush_;
  // What the window, the labels and the message box are painted in.
  MessageWindowColors colors_{};
  win32::UniqueFont messageFont_;
  win32::UniqueFont okayFont_;
  win32::UniqueIcon icon_;
  win32::UniqueIcon smallIcon_;
};

}  // namespace calmora
