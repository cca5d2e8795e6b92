// The program's message loop. Keys go through dialog navigation first, so Tab, Enter and Esc
// behave in both windows as they do in any Windows dialog.
#pragma once

#include <functional>

namespace calmora {

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Runs a nested loop while `showing` is true: the loop of a window shown modally.
void RunModalLoop(const std::function<bool()>& showing);

}  // namespace calmora
