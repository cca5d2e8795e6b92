#include "app/message_loop_win32.h"

#include <windows.h>

namespace calmora {
namespace {

void Deliver(MSG& message) {
  const HWND topLevel = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (topLevel && IsDialogMessageW(topLevel, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Deliver(message);
  return static_cast<int>(message.wParam);
}

void RunModalLoop(const std::function<bool()>& showing) {
  MSG message;
  while (showing()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The quit belongs to the outer loop, which ends the program.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Deliver(message);
  }
}

}  // namespace calmora
