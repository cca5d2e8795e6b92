#include "tests/e2e/driver/screenshot.h"

#include <filesystem>
#include <fstream>

#include "platform/win32/unique_handle.h"
#include "tests/e2e/driver/calmora_process.h"

namespace calmora::e2e {
namespace {

void ReleaseScreenDc(HDC dc) noexcept {
  ReleaseDC(nullptr, dc);
}
using UniqueScreenDc = win32::UniqueAny<HDC, ReleaseScreenDc>;

}  // namespace

Picture CaptureWindow(HWND window) {
  // A window that has just appeared may not have painted yet: wait until its thread is idle,
  // have it paint whatever is still pending, and give the display a moment to show it.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(200);

  RECT bounds{};
  GetWindowRect(window, &bounds);
  Picture picture{bounds.right - bounds.left, bounds.bottom - bounds.top, {}};
  if (picture.width <= 0 || picture.height <= 0) return {};

  const UniqueScreenDc screen(GetDC(nullptr));
  const win32::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = picture.height;  // bottom-up, as a BMP file stores rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const win32::UniqueBitmap bitmap(
      CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return {};
  {
    const win32::ScopedSelect select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, picture.width, picture.height, screen.get(), bounds.left, bounds.top,
           SRCCOPY);
    GdiFlush();
  }
  const size_t stride = (static_cast<size_t>(picture.width) * 3 + 3) & ~size_t{3};
  const auto* first = static_cast<const char*>(bits);
  picture.rows.assign(first, first + stride * static_cast<size_t>(picture.height));
  return picture;
}

void SaveScreenshot(HWND window, const std::wstring& name) {
  const Picture picture = CaptureWindow(window);
  if (picture.rows.empty()) return;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = picture.width;
  header.biHeight = picture.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(picture.rows.size());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + picture.rows.size());

  const std::filesystem::path folder = BinaryFolder() + L"\\..\\screenshots";
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / (name + L".bmp"), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(picture.rows.data(), static_cast<std::streamsize>(picture.rows.size()));
}

}  // namespace calmora::e2e
