// Copying the heading's font file into the system font folder at start-up.
#include "font/display_font.h"

#include <gtest/gtest.h>

#include "tests/host/fakes/fake_environment.h"
#include "tests/host/fakes/fake_file_system.h"
#include "tests/host/fakes/fake_program_location.h"

namespace calmora {
namespace {

using testing::FakeEnvironment;
using testing::FakeFileSystem;
using testing::FakeProgramLocation;

constexpr const wchar_t* kBeside = L"C:\\Tools\\ELEPHNT.TTF";
constexpr const wchar_t* kInstalled = L"C:\\Windows\\Fonts\\ELEPHNT.TTF";

struct DisplayFontTest : ::testing::Test {
  DisplayFontTest() {
    environment.variables = {{L"WinDir", L"C:\\Windows"}};
    files.folders = {L"C:\\Tools", L"C:\\Windows", L"C:\\Windows\\Fonts"};
  }
  void Provision() { ProvisionDisplayFont(files, environment, program); }

  FakeFileSystem files;
  FakeEnvironment environment;
  FakeProgramLocation program;
};

TEST_F(DisplayFontTest, WithoutTheFileBesideTheProgramTheFontFolderIsNotLookedAt) {
  files.files[kInstalled] = "system's own";
  Provision();
  EXPECT_EQ(files.calls, std::vector<std::wstring>{std::wstring(L"FileExists ") + kBeside});
  EXPECT_EQ(files.files.size(), 1u);
}

TEST_F(DisplayFontTest, AnInstalledFileIsNeverReplaced) {
  files.files[kBeside] = "newer font";
  files.files[kInstalled] = "older font";
  Provision();
  EXPECT_EQ(files.files[kInstalled], "older font");
  EXPECT_EQ(files.calls, (std::vector<std::wstring>{std::wstring(L"FileExists ") + kBeside,
                                                    std::wstring(L"FileExists ") + kInstalled}));
}

TEST_F(DisplayFontTest, AMissingFontIsCopiedOnceAndThenLeftAlone) {
  files.files[kBeside] = "font bytes";
  Provision();
  EXPECT_EQ(files.files[kInstalled], "font bytes");
  EXPECT_EQ(files.calls.back(), std::wstring(L"Copy ") + kBeside + L" -> " + kInstalled);

  files.calls.clear();
  Provision();
  EXPECT_EQ(files.calls, (std::vector<std::wstring>{std::wstring(L"FileExists ") + kBeside,
                                                    std::wstring(L"FileExists ") + kInstalled}));
}

TEST_F(DisplayFontTest, FollowsTheProgramsFolderAndWinDir) {
  program.folder = L"E:\\Support";
  environment.variables[L"WinDir"] = L"D:\\WINNT";
  files.folders = {L"E:\\Support", L"D:\\WINNT", L"D:\\WINNT\\Fonts"};
  files.files[L"E:\\Support\\ELEPHNT.TTF"] = "font bytes";
  Provision();
  EXPECT_EQ(files.files[L"D:\\WINNT\\Fonts\\ELEPHNT.TTF"], "font bytes");
}

TEST_F(DisplayFontTest, WithoutWinDirTheFontFolderIsAtTheDriveRoot) {
  environment.variables.clear();
  files.folders.insert(L"\\Fonts");
  files.files[kBeside] = "font bytes";
  Provision();
  EXPECT_EQ(files.files[L"\\Fonts\\ELEPHNT.TTF"], "font bytes");
}

TEST_F(DisplayFontTest, AFailedCopyIsPassedOverAndTriedAgainAtTheNextStart) {
  files.folders.erase(L"C:\\Windows\\Fonts");
  files.files[kBeside] = "font bytes";
  const std::wstring copy = std::wstring(L"Copy ") + kBeside + L" -> " + kInstalled;

  EXPECT_NO_THROW(Provision());
  EXPECT_FALSE(files.files.contains(kInstalled));
  EXPECT_EQ(files.calls.back(), copy);

  files.calls.clear();
  EXPECT_NO_THROW(Provision());
  EXPECT_EQ(files.calls.back(), copy);
}

TEST_F(DisplayFontTest, ARefusedCopyIsPassedOverToo) {
  files.files[kBeside] = "font bytes";
  files.failingOperations["Copy"] = 5;  // access denied
  EXPECT_NO_THROW(Provision());
  EXPECT_FALSE(files.files.contains(kInstalled));
}

TEST_F(DisplayFontTest, FailuresOtherThanTheCopyAreNotSwallowed) {
  // Fails at its second call: after the source test, while the copy's own paths are made.
  class FlakyProgramLocation final : public ProgramLocation {
   public:
    std::wstring OwnFolder() const override {
      if (++calls_ > 1) throw RuntimeError(122, L"too small");
      return L"C:\\Tools";
    }
    std::wstring OwnFileName() const override { return L"Calmora"; }

   private:
    mutable int calls_ = 0;
  } flaky;
  files.files[kBeside] = "font bytes";
  EXPECT_THROW(ProvisionDisplayFont(files, environment, flaky), RuntimeError);
}

}  // namespace
}  // namespace calmora
