// When the heading's font file is copied into the font folder, and when the heading gets its face.
#include "font/display_font.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"
#include "tests/host/fakes/fake_environment.h"
#include "tests/host/fakes/fake_file_system.h"
#include "tests/host/fakes/fake_font_table.h"
#include "tests/host/fakes/fake_program_location.h"

namespace calmora {
namespace {

struct Row {
  const char* what;
  const wchar_t* winDir;  // nullptr: unset
  bool fontBeside;
  const char* installedBefore;  // "": no font file there
  bool firstCopyRefused;        // as for an account that may not write the font folder
  const wchar_t* destination;
  const char* installedAfterFirstStart;
  bool faceAfterFirstStart;  // the font file, beside the program after a refused copy, is loaded
  const char* installedAfterSecondStart;
};

TEST(DisplayFont, IsCopiedWhenMissingAndTheHeadingGetsTheFaceItCarries) {
  const wchar_t* installed = L"C:\\Windows\\Fonts\\ELEPHNT.TTF";
  const wchar_t* winnt = L"D:\\WINNT\\Fonts\\ELEPHNT.TTF";
  const Row rows[] = {
      {"nothing beside", L"C:\\Windows", false, "system's", false, installed, "system's", false,
       "system's"},
      {"never replaced", L"C:\\Windows", true, "older", false, installed, "older", true, "older"},
      {"copied now", L"C:\\Windows", true, "", false, installed, "beside", true, "beside"},
      {"follows WinDir", L"D:\\WINNT", true, "", false, winnt, "beside", true, "beside"},
      {"WinDir unset", nullptr, true, "", false, L"\\Fonts\\ELEPHNT.TTF", "beside", true, "beside"},
      // The message shows in the face of the file beside the program; the next start tries again.
      {"refused copy", L"C:\\Windows", true, "", true, installed, "", true, "beside"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    testing::FakeFileSystem files;
    testing::FakeEnvironment environment;
    testing::FakeProgramLocation program;
    testing::FakeFontTable fonts;
    if (row.winDir) environment.variables[L"WinDir"] = row.winDir;
    files.folders = {L"C:\\Tools", L"C:\\Windows\\Fonts", L"D:\\WINNT\\Fonts", L"\\Fonts"};
    if (row.fontBeside) files.files[L"C:\\Tools\\ELEPHNT.TTF"] = "beside";
    if (*row.installedBefore) files.files[row.destination] = row.installedBefore;
    const auto installedNow = [&] {
      return files.files.contains(row.destination) ? files.files[row.destination] : "";
    };

    if (row.firstCopyRefused) files.failingOperations["Copy"] = 5;
    EXPECT_NO_THROW(ProvisionDisplayFont(files, environment, program, fonts));
    EXPECT_EQ(installedNow(), row.installedAfterFirstStart);
    const std::wstring loaded = row.firstCopyRefused ? L"C:\\Tools\\ELEPHNT.TTF" : row.destination;
    EXPECT_EQ(fonts.added.contains(loaded), row.faceAfterFirstStart);

    files.failingOperations.clear();
    EXPECT_NO_THROW(ProvisionDisplayFont(files, environment, program, fonts));
    EXPECT_EQ(installedNow(), row.installedAfterSecondStart);
  }
}

TEST(DisplayFont, AProgramFolderThatCannotBeFoundIsStillAnError) {
  struct Unfound final : ProgramLocation {
    std::wstring OwnFolder() const override { throw RuntimeError(122, L"too small"); }
    std::wstring OwnFileName() const override { return L"Calmora"; }
  } program;
  testing::FakeFileSystem files;
  testing::FakeEnvironment environment;
  testing::FakeFontTable fonts;
  EXPECT_THROW(ProvisionDisplayFont(files, environment, program, fonts), RuntimeError);
}

}  // namespace
}  // namespace calmora
