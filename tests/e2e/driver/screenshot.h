// Saves what the screen shows of a window, for a person to look at after the run.
#pragma once

#include <windows.h>

#include <string>

namespace calmora::e2e {

// Writes build/windows/screenshots/<name>.bmp; the test script turns it into a PNG.
void SaveScreenshot(HWND window, const std::wstring& name);

}  // namespace calmora::e2e
