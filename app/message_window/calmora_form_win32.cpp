#include "app/message_window/calmora_form_win32.h"

#include <commctrl.h>

#include "app/event_dispatch_win32.h"
#include "app/form_window_win32.h"
#include "app/message_window/calmora_form_design.h"
#include "app/message_window/form_load.h"
#include "app/message_window/okay_button.h"
#include "app/window_layout_win32.h"
#include "controls/label3d/win32/label3d.h"
#include "platform/win32/win32_error.h"

namespace calmora {
namespace {

namespace design = calmora_form_design;

constexpr wchar_t kClassName[] = L"CalmoraForm";
constexpr int kOkayButtonId = 101;
constexpr int kMessageEditBoxId = 102;
constexpr int kCalmoraLabelId = 103;
constexpr int kYourTechLabelId = 104;
// The window menu's Options item: a command of the window's own, below the system's (0xF000 and
// up) and with the low four bits clear, which the system keeps for itself.
constexpr UINT kOptionsCommand = 0x0010;
static_assert(kOptionsCommand < 0xF000 && (kOptionsCommand & 0xF) == 0);

// The keyboard's way to Options (Alt+Space, O): an item above Close, set apart from it.
void AddOptionsToWindowMenu(HWND window) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu ||
      !InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, kOptionsCommand, L"&Options...") ||
      !InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr)) {
    win32::ThrowLastError(L"window menu");
  }
}

bool HighContrastOn() {
  HIGHCONTRASTW theme{};
  theme.cbSize = sizeof theme;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof theme, &theme, 0) &&
         (theme.dwFlags & HCF_HIGHCONTRASTON);
}

SystemColors CurrentSystemColors() {
  return {Color{GetSysColor(COLOR_WINDOW)}, Color{GetSysColor(COLOR_WINDOWTEXT)},
          Color{GetSysColor(COLOR_HOTLIGHT)}};
}

}  // namespace

CalmoraForm::CalmoraForm(const Services& services, std::function<void(HWND)> headingClicked)
    : services_(services), headingClicked_(std::move(headingClicked)) {}

CalmoraForm::~CalmoraForm() {
  if (window_) DestroyWindow(window_);
}

void CalmoraForm::CreateAndLoad() {
  // No class brush: the window paints its background in the colours of the moment.
  RegisterFormClass<CalmoraForm>(kClassName, nullptr);
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, design::kWindow.caption.data(),
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  if (!window_) win32::ThrowLastError();
  dpi_ = GetDpiForWindow(window_);
  AddOptionsToWindowMenu(window_);
  CreateControls();
  ApplyDpi(dpi_);
  ApplyColors();

  loaded_ = Form_Load(services_, messageBox_);
  // The load may have added the heading's font to the process: the labels take it up before the
  // window shows.
  win32::ReloadLabel3dFont(calmoraLabel_, dpi_);
  win32::ReloadLabel3dFont(yourTechLabel_, dpi_);
}

void CalmoraForm::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  // Made in tab order, which is also the order dialog navigation walks: the heading (which takes
  // no focus), OKAY, the message box, the sub-heading.
  calmoraLabel_ =
      win32::CreateLabel3d(window_, kCalmoraLabelId, PixelRect(design::kCalmoraLabel.rect, dpi_),
                           design::kCalmoraLabel.properties, design::kCalmoraLabel.role, dpi_);
  // Each creation is checked at once, while the error it left is still the last one.
  okayButton_ = CreateWindowExW(0, WC_BUTTONW, design::kOkayButton.caption.data(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                                window_, ControlMenu(kOkayButtonId), instance, nullptr);
  if (!okayButton_) win32::ThrowLastError();
  messageBox_.Create(window_, kMessageEditBoxId);
  yourTechLabel_ =
      win32::CreateLabel3d(window_, kYourTechLabelId, PixelRect(design::kYourTechLabel.rect, dpi_),
                           design::kYourTechLabel.properties, design::kYourTechLabel.role, dpi_);
  // The sub-heading says whose message the box holds, so it names the box.
  messageBox_.LabelledBy(yourTechLabel_);

  focus_.Remember(okayButton_);
}

void CalmoraForm::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  SetWindowIcons(window_, LoadApplicationIcon, dpi, icon_, smallIcon_);
  SetControlsFont({messageBox_.get()}, CreateDesignFont(design::kUserMessageText.font, dpi),
                  messageFont_);
  SetControlsFont({okayButton_}, CreateDesignFont(design::kOkayButtonFont, dpi), okayFont_);
  MoveControl(messageBox_.get(), design::kUserMessageText.rect, dpi);
  MoveControl(okayButton_, design::kOkayButton.rect, dpi);
  MoveControl(calmoraLabel_, design::kCalmoraLabel.rect, dpi);
  MoveControl(yourTechLabel_, design::kYourTechLabel.rect, dpi);
  win32::ReloadLabel3dFont(calmoraLabel_, dpi);
  win32::ReloadLabel3dFont(yourTechLabel_, dpi);
  SizeClientArea(window_, design::kWindow, dpi);
}

void CalmoraForm::ApplyColors() {
  colors_ = ChooseMessageWindowColors(HighContrastOn(), CurrentSystemColors());
  backBrush_.reset(CreateSolidBrush(colors_.window.bgr));
  messageBoxBrush_.reset(CreateSolidBrush(colors_.messageBoxBack.bgr));
  win32::SetLabel3dColors(calmoraLabel_, colors_.heading);
  win32::SetLabel3dColors(yourTechLabel_, colors_.subHeading);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CalmoraForm::OpenOptions() {
  // Options is open already when the window takes no input: a click that a screen reader posted
  // meanwhile does nothing, as a mouse click could not reach the heading then.
  if (!IsWindowEnabled(window_)) return;
  Dispatch([this] { headingClicked_(window_); });
}

void CalmoraForm::ShowCentred() {
  CentreOnScreen(window_);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(okayButton_);
}

LRESULT CalmoraForm::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (focus_.Handle(window, message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case DM_GETDEFID:
      // Dialog navigation asks which button Enter presses.
      return MAKELRESULT(kOkayButtonId, DC_HASDEFID);
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == kOptionsCommand) {
        OpenOptions();
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      // The labels ask for this too, to show the window through them.
      if (backBrush_) {
        const auto dc = reinterpret_cast<HDC>(wParam);
        RECT area;
        GetClipBox(dc, &area);
        FillRect(dc, &area, backBrush_.get());
        return 1;
      }
      break;
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lParam) == messageBox_.get()) {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, colors_.messageBoxText.bgr);
        SetBkColor(dc, colors_.messageBoxBack.bgr);
        return reinterpret_cast<LRESULT>(messageBoxBrush_.get());
      }
      break;
    case WM_SYSCOLORCHANGE:
      // The standard controls learn of it only from their parent.
      SendMessageW(okayButton_, message, wParam, lParam);
      SendMessageW(messageBox_.get(), message, wParam, lParam);
      ApplyColors();
      return 0;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETHIGHCONTRAST) ApplyColors();
      break;
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(wParam));
      MoveToSuggestedPlace(window, lParam);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void CalmoraForm::OnCommand(WORD id, WORD code) {
  const bool okayPressed = (id == kOkayButtonId || id == IDOK) && code == BN_CLICKED;
  if (okayPressed) {
    Dispatch([this] {
      Okay_Button_Click(services_, messageBox_, loaded_);
      DestroyWindow(window_);
    });
  } else if (id == kCalmoraLabelId && code == win32::kLabelClicked) {
    OpenOptions();
  }
  // IDCANCEL (Esc) is not handled: Esc never closes the message window.
}

}  // namespace calmora
