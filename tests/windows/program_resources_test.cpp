// What the built Calmora.exe carries: its two icons and its version.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "packaging/resource_ids.h"
#include "platform/win32/ico_resource.h"
#include "platform/win32/unique_handle.h"

namespace calmora::win32 {
namespace {

// The program beside the test executable.
std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  return path.substr(0, path.rfind(L'\\') + 1) + L"Calmora.exe";
}

// Loaded for its resources alone, once for the whole run.
HMODULE Program() {
  static const HMODULE module = LoadLibraryExW(
      ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  return module;
}

// The pixels a 32 x 32 icon leaves clear: the set bits of its mask.
int ClearPixels(HICON icon) {
  ICONINFO parts{};
  if (!icon || !GetIconInfo(icon, &parts)) return -1;
  std::array<std::uint8_t, 32 * 32 / 8> mask{};
  GetBitmapBits(parts.hbmMask, mask.size(), mask.data());
  DeleteObject(parts.hbmMask);
  DeleteObject(parts.hbmColor);
  int clear = 0;
  for (const std::uint8_t bits : mask) clear += std::popcount(bits);
  return clear;
}

// The shell shows the lowest-numbered icon, so the program carries no icon image but this one.
TEST(ProgramResources, TheApplicationIconIsTheOnlyIconAndOneOpaque32By32Image) {
  ASSERT_NE(Program(), nullptr);
  int images = 0;
  EnumResourceNamesW(
      Program(), RT_ICON,
      [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR counted) { return ++*reinterpret_cast<int*>(counted); },
      reinterpret_cast<LONG_PTR>(&images));
  EXPECT_EQ(images, 1);
  HRSRC group = FindResourceW(Program(), MAKEINTRESOURCEW(IDI_CALMORA), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(Program(), group)));
  // The group's first entry: 32 x 32, 24 bits per pixel.
  EXPECT_EQ(directory[6], 32);
  EXPECT_EQ(directory[7], 32);
  EXPECT_EQ(directory[12] | directory[13] << 8, 24);
  UniqueIcon icon(static_cast<HICON>(
      LoadImageW(Program(), MAKEINTRESOURCEW(IDI_CALMORA), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
  EXPECT_EQ(ClearPixels(icon.get()), 0);
}

// Kept as the raw bytes of its .ico file rather than as a second icon group.
TEST(ProgramResources, TheOptionsIconLoadsWithItsClearPixels) {
  EXPECT_GT(ClearPixels(LoadIcoResource(Program(), IDR_OPTIONS_ICON, 32).get()), 0);
  EXPECT_TRUE(LoadIcoResource(Program(), IDR_OPTIONS_ICON, 16));
}

TEST(ProgramResources, TheVersionIsTheProjectsAndNamesTheProductAndItsMaker) {
  wchar_t version[16] = {};  // the project's version (1, 0, 6) as people read it: "1.00.0006"
  std::swprintf(version, std::size(version), L"%d.%02d.%04d", CALMORA_PROJECT_VERSION);
  const std::wstring path = ProgramPath();
  std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  for (const auto& [name, expected] :
       {std::pair<const wchar_t*, const wchar_t*>{L"FileVersion", version},
        {L"ProductVersion", version},
        {L"ProductName", L"Calmora"},
        {L"CompanyName", L"Quillmoor"},
        {L"OriginalFilename", L"Calmora.exe"}}) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    ASSERT_TRUE(
        VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
    EXPECT_STREQ(value, expected);
  }
}

}  // namespace
}  // namespace calmora::win32
