#include "app/options_window/options_form_win32.h"

#include <commctrl.h>

#include "app/event_dispatch_win32.h"
#include "app/form_window_win32.h"
#include "app/message_loop_win32.h"
#include "app/options_window/options_design.h"
#include "app/options_window/options_form.h"
#include "app/window_layout_win32.h"
#include "platform/win32/win32_error.h"

namespace calmora {
namespace {

namespace design = options_design;

constexpr wchar_t kClassName[] = L"Options";
constexpr int kCloseButtonId = 201;
constexpr int kRemoveAfterRebootId = 202;
constexpr int kInUsersStartupId = 203;
// A fixed dialog frame with a title bar: it cannot be resized, minimized or maximized.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

HWND CreateButton(HWND parent, int id, std::wstring_view caption, DWORD style) {
  const HWND button = CreateWindowExW(0, WC_BUTTONW, std::wstring(caption).c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0, 0,
                                      parent, ControlMenu(id), GetModuleHandleW(nullptr), nullptr);
  if (!button) win32::ThrowLastError();
  return button;
}

}  // namespace

OptionsForm::OptionsForm(const Services& services) : services_(services) {}

OptionsForm::~OptionsForm() {
  if (window_) DestroyWindow(window_);
}

void OptionsForm::ShowModal(HWND owner) {
  if (!window_) Load(owner);
  // As under any modal window, the owner takes no input meanwhile.
  EnableWindow(owner, FALSE);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  RunModalLoop([this] { return window_ && IsWindowVisible(window_); });
  EnableWindow(owner, TRUE);
}

void OptionsForm::EnableOwner() {
  // Before the window hides: Windows then hands the activation to the owner, not to some other
  // program's window while the owner still takes no input.
  EnableWindow(GetWindow(window_, GW_OWNER), TRUE);
}

void OptionsForm::Load(HWND owner) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterFormClass<OptionsForm>(kClassName, GetSysColorBrush(COLOR_BTNFACE));
  // Owned, it always stays above the message window and goes with it. It opens where the system
  // puts a new window, and comes back where it was left.
  window_ =
      CreateWindowExW(kExStyle, kClassName, design::kWindow.caption.data(), kStyle, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, this);
  if (!window_) win32::ThrowLastError();
  // Made in tab order: "In Users Startup", "Remove from Startup on next Login.", Close.
  inUsersStartup_ = CreateButton(window_, kInUsersStartupId,
                                 design::kInUsersStartupCheckBox.caption, BS_AUTOCHECKBOX);
  removeAfterReboot_ = CreateButton(window_, kRemoveAfterRebootId,
                                    design::kRemoveAfterRebootCheckBox.caption, BS_AUTOCHECKBOX);
  closeButton_ =
      CreateButton(window_, kCloseButtonId, design::kCloseButton.caption, BS_DEFPUSHBUTTON);
  focus_.Remember(inUsersStartup_);
  ApplyDpi(GetDpiForWindow(window_));

  const OptionsCheckBoxes boxes = Options_Form_Load(services_);
  SendMessageW(inUsersStartup_, BM_SETCHECK, static_cast<WPARAM>(boxes.inUsersStartup), 0);
  SendMessageW(removeAfterReboot_, BM_SETCHECK, static_cast<WPARAM>(boxes.removeAfterReboot), 0);
}

void OptionsForm::ApplyDpi(UINT dpi) {
  SetWindowIcons(window_, LoadOptionsIcon, dpi, icon_, smallIcon_);
  SetControlsFont({inUsersStartup_, removeAfterReboot_, closeButton_},
                  CreateDesignFont(design::kFont, dpi), font_);
  MoveControl(inUsersStartup_, design::kInUsersStartupCheckBox.rect, dpi);
  MoveControl(removeAfterReboot_, design::kRemoveAfterRebootCheckBox.rect, dpi);
  MoveControl(closeButton_, design::kCloseButton.rect, dpi);
  SizeClientArea(window_, design::kWindow, dpi);
}

OptionsCheckBoxes OptionsForm::ReadCheckBoxes() const {
  return {static_cast<CheckBoxValue>(SendMessageW(inUsersStartup_, BM_GETCHECK, 0, 0)),
          static_cast<CheckBoxValue>(SendMessageW(removeAfterReboot_, BM_GETCHECK, 0, 0))};
}

void OptionsForm::Close() {
  const CloseOutcome outcome = Close_Button_Click(services_, ReadCheckBoxes());
  if (!outcome.settingStored) {
    MessageBoxW(window_, SettingNotStoredNotice(outcome).c_str(), L"Options",
                MB_OK | MB_ICONWARNING);
  }
  EnableOwner();
  ShowWindow(window_, SW_HIDE);
}

LRESULT OptionsForm::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (focus_.Handle(window, message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND: {
      // Close is both the default and the cancel button: Enter and Esc press it too.
      const WORD id = LOWORD(wParam);
      const bool closePressed = id == kCloseButtonId || id == IDOK || id == IDCANCEL;
      if (closePressed && HIWORD(wParam) == BN_CLICKED) Dispatch([this] { Close(); });
      return 0;
    }
    case DM_GETDEFID:
      return MAKELRESULT(kCloseButtonId, DC_HASDEFID);
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(wParam));
      MoveToSuggestedPlace(window, lParam);
      return 0;
    case WM_CLOSE:
      EnableOwner();
      break;
    case WM_NCDESTROY:
      // The title bar's close unloads the window without applying the boxes; the next showing
      // loads it afresh.
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace calmora
