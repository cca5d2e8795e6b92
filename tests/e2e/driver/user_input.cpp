#include "tests/e2e/driver/user_input.h"

#include <vector>

namespace calmora::e2e {
namespace {

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  // Give the target's thread a moment to take the input before the next step looks at it.
  Sleep(60);
}

INPUT Key(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT Character(wchar_t c, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = c;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

}  // namespace

void ClickAt(POINT screen) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(screen.x - left, 65535, width - 1);
  move.mi.dy = MulDiv(screen.y - top, 65535, height - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  INPUT down = move;
  down.mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  INPUT up = move;
  up.mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  Send({move});
  Send({down, up});
}

void Click(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  ClickAt(POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
}

void PressKey(WORD virtualKey) {
  Send({Key(virtualKey, false), Key(virtualKey, true)});
}

void PressChord(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (const WORD key : keys) inputs.push_back(Key(key, false));
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    inputs.push_back(Key(*key, true));
  }
  Send(inputs);
}

void TypeText(std::wstring_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r') continue;
    if (text[i] == L'\n') {
      PressKey(VK_RETURN);
    } else {
      Send({Character(text[i], false), Character(text[i], true)});
    }
  }
}

}  // namespace calmora::e2e
