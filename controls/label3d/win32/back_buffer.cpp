// The off-screen picture behind flicker-free painting.
#include "controls/label3d/win32/back_buffer.h"

#include <algorithm>

namespace calmora::win32 {

BackBuffer::BackBuffer(HDC compatibleWith, int width, int height) noexcept
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
  dc_.reset(CreateCompatibleDC(compatibleWith));
  if (!dc_) return;
  // A DIB section rather than a device bitmap: smoothed text is blended the same way whatever
  // the screen's depth, and the pixels can be read back.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) return;
  selected_.emplace(dc_.get(), bitmap_.get());
  pixels_ = static_cast<std::uint32_t*>(bits);
}

void BackBuffer::CopyTo(HDC target) const noexcept {
  BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

std::span<const std::uint32_t> BackBuffer::Pixels() const noexcept {
  if (!pixels_) return {};
  // Drawing calls may still be queued in the DC; the pixels are only final after a flush.
  GdiFlush();
  return {pixels_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
}

}  // namespace calmora::win32
