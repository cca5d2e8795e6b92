// The Options window on screen: loaded at its first showing, owned by the message window and shown
// modally over it, hidden by Close (so a later showing finds the boxes as they were left), and
// unloaded with the message window.
#pragma once

#include <windows.h>

#include "app/form_window_win32.h"
#include "app/options_window/check_box_value.h"
#include "app/services.h"
#include "platform/win32/unique_handle.h"

namespace calmora {

class OptionsForm {
 public:
  explicit OptionsForm(const Services& services);
  OptionsForm(const OptionsForm&) = delete;
  OptionsForm& operator=(const OptionsForm&) = delete;
  ~OptionsForm();

  // Loads the window, owned by `owner`, when it is not loaded, shows it, and returns once it is
  // hidden or unloaded. Meanwhile the owner takes no input.
  void ShowModal(HWND owner);

  // The window's messages, as its window procedure hands them on.
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Load(HWND owner);
  void ApplyDpi(UINT dpi);
  void EnableOwner();
  void Close();
  OptionsCheckBoxes ReadCheckBoxes() const;

  const Services& services_;
  HWND window_ = nullptr;
  // The controls, named as the design names them: Close_Button, RemoveAfterReboot_CBox (which
  // edits the setting "Remove From Startup on Login") and InUsersStartup_CBox.
  HWND closeButton_ = nullptr;
  HWND removeAfterReboot_ = nullptr;
  HWND inUsersStartup_ = nullptr;
  DialogFocus focus_;
  win32::UniqueFont font_;
  win32::UniqueIcon icon_;
  win32::UniqueIcon smallIcon_;
};

}  // namespace calmora
