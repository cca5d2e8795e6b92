// An off-screen 32-bit picture to draw a whole frame in before one copy to the screen, so a
// window never shows a half-drawn frame and its background never flickers through.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "platform/win32/unique_handle.h"

namespace calmora::win32 {

class BackBuffer {
 public:
  // A buffer that could not be made (no memory for the picture) is false; the caller then draws
  // straight onto its target instead.
  BackBuffer(HDC compatibleWith, int width, int height) noexcept;
  explicit operator bool() const noexcept { return pixels_ != nullptr; }

  HDC Dc() const noexcept { return dc_.get(); }
  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  void CopyTo(HDC target) const noexcept;
  // Row by row from the top, each pixel 0x00RRGGBB.
  std::span<const std::uint32_t> Pixels() const noexcept;

 private:
  int width_;
  int height_;
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  std::uint32_t* pixels_ = nullptr;
  // Declared last so the picture is taken out of the DC before either is deleted.
  std::optional<ScopedSelect> selected_;
};

}  // namespace calmora::win32
