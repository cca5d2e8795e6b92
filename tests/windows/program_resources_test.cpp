// What the built Calmora.exe carries: one application icon of one 32 x 32 image, the Options
// icon with its clear pixels, and its version.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "packaging/resource_ids.h"
#include "platform/win32/ico_resource.h"
#include "platform/win32/unique_handle.h"

namespace calmora::win32 {
namespace {

// The program beside the test executable.
std::wstring ProgramPath() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"Calmora.exe";
}

class Program {
 public:
  Program()
      : module_(LoadLibraryExW(ProgramPath().c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program() {
    if (module_) FreeLibrary(module_);
  }
  HMODULE Module() const { return module_; }

 private:
  HMODULE module_;
};

std::vector<std::wstring> Names(HMODULE module, LPCWSTR type) {
  std::vector<std::wstring> names;
  EnumResourceNamesW(
      module, type,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
        reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(
            IS_INTRESOURCE(name) ? std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name);
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&names));
  return names;
}

// Pixels a mask bitmap leaves clear (set bits, white once read as colour).
int ClearPixels(HBITMAP mask, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size * size));
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, mask, 0, static_cast<UINT>(size), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  int clear = 0;
  for (const std::uint32_t pixel : pixels) clear += (pixel & 0xFFFFFF) == 0xFFFFFF ? 1 : 0;
  return clear;
}

TEST(ProgramResources, TheApplicationIconIsTheOnlyIconAndOneImage) {
  Program program;
  ASSERT_NE(program.Module(), nullptr);
  EXPECT_EQ(Names(program.Module(), RT_GROUP_ICON), std::vector<std::wstring>{L"1"});
  EXPECT_EQ(Names(program.Module(), RT_ICON).size(), 1u);
  HRSRC group = FindResourceW(program.Module(), MAKEINTRESOURCEW(IDI_CALMORA), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const auto* directory =
      static_cast<const BYTE*>(LockResource(LoadResource(program.Module(), group)));
  // The group's header, then its one entry: 32 x 32, 24 bits per pixel.
  EXPECT_EQ(directory[4] | directory[5] << 8, 1);
  EXPECT_EQ(directory[6], 32);
  EXPECT_EQ(directory[7], 32);
  EXPECT_EQ(directory[12] | directory[13] << 8, 24);
}

TEST(ProgramResources, TheApplicationIconHasNoClearPixel) {
  Program program;
  UniqueIcon icon(static_cast<HICON>(LoadImageW(program.Module(), MAKEINTRESOURCEW(IDI_CALMORA),
                                                IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
  ASSERT_TRUE(icon);
  ICONINFO parts{};
  ASSERT_TRUE(GetIconInfo(icon, &parts));
  UniqueBitmap mask(parts.hbmMask);
  UniqueBitmap colour(parts.hbmColor);
  EXPECT_EQ(ClearPixels(mask, 32), 0);
}

TEST(ProgramResources, TheOptionsIconLoadsWithItsClearPixels) {
  Program program;
  UniqueIcon icon = LoadIcoResource(program.Module(), IDR_OPTIONS_ICON, 32);
  ASSERT_TRUE(icon);
  ICONINFO parts{};
  ASSERT_TRUE(GetIconInfo(icon, &parts));
  UniqueBitmap mask(parts.hbmMask);
  UniqueBitmap colour(parts.hbmColor);
  BITMAP size{};
  GetObjectW(colour, sizeof(size), &size);
  EXPECT_EQ(size.bmWidth, 32);
  EXPECT_EQ(size.bmHeight, 32);
  EXPECT_EQ(ClearPixels(mask, 32), 445);
  // The small title-bar size comes from the same picture.
  EXPECT_TRUE(LoadIcoResource(program.Module(), IDR_OPTIONS_ICON, 16));
}

TEST(ProgramResources, NotAnIconIsAnError) {
  const std::byte junk[8]{};
  EXPECT_ANY_THROW(IconFromIcoFile(junk, 32));
  Program program;
  EXPECT_ANY_THROW(LoadIcoResource(program.Module(), 999, 32));
}

TEST(ProgramResources, TheVersionNamesTheProductAndItsMaker) {
  const std::wstring path = ProgramPath();
  DWORD ignored = 0;
  std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  auto text = [&](const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
      return std::wstring();
    return std::wstring(value);
  };
  EXPECT_EQ(text(L"FileVersion"), L"1.00.0006");
  EXPECT_EQ(text(L"ProductVersion"), L"1.00.0006");
  EXPECT_EQ(text(L"ProductName"), L"Calmora");
  EXPECT_EQ(text(L"CompanyName"), L"Quillmoor");
  EXPECT_EQ(text(L"OriginalFilename"), L"Calmora.exe");
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000006u);
}

}  // namespace
}  // namespace calmora::win32
