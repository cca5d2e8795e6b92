// A font file added to the process gives its face by name, to this process.
#include "platform/win32/win32_font_table.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "tests/support/scratch_folder.h"

namespace calmora::win32 {
namespace {

// The face that the system gives for a font of that name and size.
std::wstring FaceGivenFor(const wchar_t* name, int height) {
  LOGFONTW description{};
  description.lfHeight = -height;
  wcsncpy(description.lfFaceName, name, LF_FACESIZE - 1);
  const UniqueFont font(CreateFontIndirectW(&description));
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  const ScopedSelect select(dc.get(), font.get());
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc.get(), LF_FACESIZE, face);
  return face;
}

std::wstring BesideTheTests(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring self = path;
  return self.substr(0, self.rfind(L'\\') + 1) + name;
}

TEST(Win32FontTable, AFontFileAddedPrivatelyGivesItsFaceByName) {
  // Looked at in another size than afterwards: Wine keeps the face it matched for a name and size.
  ASSERT_NE(FaceGivenFor(L"Elephant", 20), L"Elephant");
  testing::ScratchFolder scratch;
  scratch.Write(L"ELEPHNT.TTF", "not a font");
  Win32FontTable fonts;
  EXPECT_FALSE(fonts.AddPrivateFont(scratch.Path(L"ELEPHNT.TTF")));
  EXPECT_TRUE(fonts.AddPrivateFont(BesideTheTests(L"elephant-stand-in.ttf")));
  EXPECT_EQ(FaceGivenFor(L"Elephant", 32), L"Elephant");
}

}  // namespace
}  // namespace calmora::win32
