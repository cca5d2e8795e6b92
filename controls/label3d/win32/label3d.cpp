// The 3-D label's window: its class, its copy of the design, painting, clicks, its caption as
// window text, and its accessible object.
#include "controls/label3d/win32/label3d.h"

#include <windowsx.h>

#include <memory>
#include <utility>

#include "controls/label3d/label_appearance.h"
#include "controls/label3d/win32/back_buffer.h"
#include "controls/label3d/win32/label3d_accessible.h"
#include "controls/label3d/win32/label3d_paint.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_error.h"

namespace calmora::win32 {
namespace {

constexpr wchar_t kClassName[] = L"Calmora3DLabel";
// The label's own messages, so that a new font, new colours and a click that is not the mouse's
// reach it through its window like everything else.
constexpr UINT kReloadFontMessage = WM_USER + 1;
constexpr UINT kSetColorsMessage = WM_USER + 2;
constexpr UINT kClickMessage = WM_USER + 3;

// However the label was clicked, its parent hears of it the same way.
void NotifyClick(HWND label) noexcept {
  SendMessageW(GetParent(label), WM_COMMAND,
               MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(label)), kLabelClicked),
               reinterpret_cast<LPARAM>(label));
}

struct CreationData {
  const LabelAppearance* appearance;
  LabelRole role;
  UINT dpi;
};

class Label {
 public:
  Label(LabelAppearance appearance, LabelRole role, UINT dpi)
      : appearance_(std::move(appearance)),
        role_(role),
        designStyle_(appearance_.label3dStyle),
        dpi_(dpi),
        font_(CreateLabelFont(appearance_, dpi)) {}

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  void Paint(HWND window, HDC target) const noexcept;
  void PaintBackground(HWND window, HDC dc, const RECT& client) const noexcept;
  void Released(HWND window, POINT at) noexcept;
  void SetColors(const LabelColors& colors) noexcept;

  LabelAppearance appearance_;
  LabelRole role_;
  // The 3-D style that colours with a shadow colour draw with.
  Label3dStyle designStyle_;
  UINT dpi_;
  UniqueFont font_;
  bool pressed_ = false;
};

LRESULT Label::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_ERASEBKGND:
      // Painting covers every pixel; erasing first would only flash the background.
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(window, &paint)) Paint(window, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      // Held until the button comes up, so a press that slides off the label and is let go
      // elsewhere is no click.
      SetCapture(window);
      pressed_ = true;
      return 0;
    case WM_LBUTTONUP:
      Released(window, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    case WM_GETDLGCODE:
      // Like a static text: the dialog manager never stops on it when tabbing.
      return DLGC_STATIC;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      if (result) {
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        appearance_.caption = text ? text : L"";
        InvalidateRect(window, nullptr, FALSE);
      }
      return result;
    }
    case WM_GETOBJECT:
      if (AsksForClientObject(lParam)) {
        if (const LRESULT answer = LabelAccessibleObject(window, wParam, role_)) return answer;
      }
      return DefWindowProcW(window, message, wParam, lParam);
    case kClickMessage:
      NotifyClick(window);
      return 0;
    case kSetColorsMessage:
      if (lParam != 0) {
        SetColors(*reinterpret_cast<const LabelColors*>(lParam));
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case kReloadFontMessage:
      if (wParam != 0) {
        dpi_ = static_cast<UINT>(wParam);
        font_ = CreateLabelFont(appearance_, dpi_);
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void Label::Released(HWND window, POINT at) noexcept {
  const bool wasPressed = pressed_;
  pressed_ = false;
  if (GetCapture() == window) ReleaseCapture();
  RECT client;
  GetClientRect(window, &client);
  if (!wasPressed || !PtInRect(&client, at)) return;
  // Capture is already given back: the parent may show a modal window from its handler.
  NotifyClick(window);
}

void Label::SetColors(const LabelColors& colors) noexcept {
  appearance_.foreColor = colors.fore;
  appearance_.backColor = colors.back;
  if (colors.shadow) {
    appearance_.shadowColor = *colors.shadow;
    appearance_.label3dStyle = designStyle_;
  } else {
    appearance_.label3dStyle = Label3dStyle::kFlat;
  }
}

void Label::PaintBackground(HWND window, HDC dc, const RECT& client) const noexcept {
  {
    UniqueBrush back(CreateSolidBrush(RGB(
        appearance_.backColor.Red(), appearance_.backColor.Green(), appearance_.backColor.Blue())));
    FillRect(dc, &client, back ? back.get() : GetStockBrush(WHITE_BRUSH));
  }
  if (appearance_.backStyle != 0) return;
  // See-through: the parent paints its own background under the label, shifted so the label's
  // corner lands on the right spot. A parent that paints no background leaves the back colour.
  HWND parent = GetParent(window);
  if (!parent) return;
  POINT corner{0, 0};
  MapWindowPoints(window, parent, &corner, 1);
  POINT previous;
  SetViewportOrgEx(dc, -corner.x, -corner.y, &previous);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void Label::Paint(HWND window, HDC target) const noexcept {
  RECT client;
  GetClientRect(window, &client);
  BackBuffer buffer(target, client.right, client.bottom);
  HDC dc = buffer ? buffer.Dc() : target;
  const int saved = SaveDC(dc);
  PaintBackground(window, dc, client);
  PaintLabelCaption(dc, client.right, client.bottom, appearance_, font_.get(), dpi_);
  RestoreDC(dc, saved);
  if (buffer) buffer.CopyTo(target);
}

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const auto* data = static_cast<const CreationData*>(create->lpCreateParams);
    // Only CreateLabel3d knows how to hand a label its design.
    if (!data) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    try {
      auto label = std::make_unique<Label>(*data->appearance, data->role, data->dpi);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(label.release()));
    } catch (...) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return FALSE;
    }
    // The window text comes from the caption, whatever the creator passed as the window name.
    return DefWindowProcW(window, message, wParam, lParam);
  }
  auto* label = reinterpret_cast<Label*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    std::unique_ptr<Label> owned(label);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return label ? label->Handle(window, message, wParam, lParam)
               : DefWindowProcW(window, message, wParam, lParam);
}

ATOM RegisterLabelClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = LabelProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  const ATOM atom = RegisterClassExW(&windowClass);
  if (!atom) ThrowLastError(kClassName);
  return atom;
}

}  // namespace

HWND CreateLabel3d(HWND parent, int controlId, const RECT& bounds, LabelPropertyBag properties,
                   LabelRole role, UINT dpi) {
  const LabelAppearance appearance = ParseLabelProperties(properties);
  static const ATOM labelClass = RegisterLabelClass();
  CreationData data{&appearance, role, dpi};
  // No WS_TABSTOP and no SetFocus anywhere: the label never takes the keyboard focus.
  HWND label = CreateWindowExW(
      0, MAKEINTATOM(labelClass), appearance.caption.c_str(), WS_CHILD | WS_VISIBLE, bounds.left,
      bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr), &data);
  if (!label) ThrowLastError(L"3-D label \"" + appearance.caption + L"\"");
  return label;
}

void ReloadLabel3dFont(HWND label, UINT dpi) {
  SendMessageW(label, kReloadFontMessage, dpi, 0);
}

void SetLabel3dColors(HWND label, const LabelColors& colors) {
  SendMessageW(label, kSetColorsMessage, 0, reinterpret_cast<LPARAM>(&colors));
}

bool PostLabel3dClick(HWND label) {
  return PostMessageW(label, kClickMessage, 0, 0) != FALSE;
}

}  // namespace calmora::win32
