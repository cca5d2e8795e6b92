// Reads an .ico file's directory and hands the chosen image to the system to make an icon of.
#include "platform/win32/ico_resource.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/win32/win32_error.h"

namespace calmora::win32 {
namespace {

// The file's layout, little-endian: a 6-byte header, then one 16-byte entry per image.
constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

std::uint32_t Read(std::span<const std::byte> bytes, std::size_t at, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  }
  return value;
}

[[noreturn]] void NotAnIcon() {
  ThrowError(ERROR_INVALID_DATA, L"icon file");
}

}  // namespace

UniqueIcon IconFromIcoFile(std::span<const std::byte> file, int size) {
  if (file.size() < kHeaderSize || Read(file, 0, 2) != 0 || Read(file, 2, 2) != 1) NotAnIcon();
  const std::size_t count = Read(file, 4, 2);
  if (count == 0 || file.size() < kHeaderSize + count * kEntrySize) NotAnIcon();
  std::size_t best = 0;
  int bestMiss = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kHeaderSize + i * kEntrySize;
    const auto widthByte = static_cast<int>(Read(file, entry, 1));
    const int width = widthByte == 0 ? 256 : widthByte;  // 0 stands for 256
    const int miss = std::abs(width - size);
    if (i == 0 || miss < bestMiss) {
      best = entry;
      bestMiss = miss;
    }
  }
  const std::size_t length = Read(file, best + 8, 4);
  const std::size_t offset = Read(file, best + 12, 4);
  if (offset > file.size() || length > file.size() - offset) NotAnIcon();
  // The system wants a writable pointer but only reads through it.
  auto* image = reinterpret_cast<BYTE*>(const_cast<std::byte*>(file.data() + offset));
  HICON icon = CreateIconFromResourceEx(image, static_cast<DWORD>(length), TRUE, 0x00030000, size,
                                        size, LR_DEFAULTCOLOR);
  if (!icon) NotAnIcon();
  return UniqueIcon(icon);
}

UniqueIcon LoadIcoResource(HMODULE module, int id, int size) {
  const std::wstring what = L"icon resource " + std::to_wstring(id);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (!found) ThrowLastError(what);
  // Resources live as long as their module; nothing here is freed.
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) ThrowLastError(what);
  return IconFromIcoFile({static_cast<const std::byte*>(bytes), SizeofResource(module, found)},
                         size);
}

}  // namespace calmora::win32
