// What the screen shows of a window: for comparing, and saved for a person to look at after the
// run.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace calmora::e2e {

// The window's pixels as they are on screen once it has painted, rows from the bottom up, three
// bytes a pixel, each row padded to four bytes: as a BMP file holds them.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<char> rows;
  bool operator==(const Picture&) const = default;
};

Picture CaptureWindow(HWND window);

// Writes build/windows/screenshots/<name>.bmp; the test script turns it into a PNG.
void SaveScreenshot(HWND window, const std::wstring& name);

}  // namespace calmora::e2e
