// When the heading's font file is copied into the font folder; the copy itself is tested end to
// end.
#include "font/display_font.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/runtime_error.h"
#include "tests/host/fakes/fake_environment.h"
#include "tests/host/fakes/fake_file_system.h"
#include "tests/host/fakes/fake_program_location.h"

namespace calmora {
namespace {

struct Row {
  const char* what;
  const wchar_t* winDir;  // nullptr: unset
  bool fontBeside;
  const char* installedBefore;  // "": no font file there
  std::uint32_t copyFailure;    // 0: the copy succeeds
  const wchar_t* destination;
  const char* installedAfter;
  long copiesInTwoStarts;
};

TEST(DisplayFont, IsCopiedOnlyWhenBesideTheProgramAndMissingFromTheFontFolder) {
  const wchar_t* installed = L"C:\\Windows\\Fonts\\ELEPHNT.TTF";
  const Row rows[] = {
      {"nothing beside", L"C:\\Windows", false, "system's", 0, installed, "system's", 0},
      {"never replaced", L"C:\\Windows", true, "older", 0, installed, "older", 0},
      {"copied once", L"C:\\Windows", true, "", 0, installed, "beside", 1},
      {"follows WinDir", L"D:\\WINNT", true, "", 0, L"D:\\WINNT\\Fonts\\ELEPHNT.TTF", "beside", 1},
      {"WinDir unset", nullptr, true, "", 0, L"\\Fonts\\ELEPHNT.TTF", "beside", 1},
      // The account may not write the font folder: the message still shows, and the next start
      // tries again.
      {"refused copy", L"C:\\Windows", true, "", 5, installed, "", 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    testing::FakeFileSystem files;
    testing::FakeEnvironment environment;
    testing::FakeProgramLocation program;
    if (row.winDir) environment.variables[L"WinDir"] = row.winDir;
    files.folders = {L"C:\\Tools", L"C:\\Windows\\Fonts", L"D:\\WINNT\\Fonts", L"\\Fonts"};
    if (row.fontBeside) files.files[L"C:\\Tools\\ELEPHNT.TTF"] = "beside";
    if (*row.installedBefore) files.files[row.destination] = row.installedBefore;
    if (row.copyFailure) files.failingOperations["Copy"] = row.copyFailure;

    EXPECT_NO_THROW(ProvisionDisplayFont(files, environment, program));
    EXPECT_NO_THROW(ProvisionDisplayFont(files, environment, program));
    EXPECT_EQ(files.files.contains(row.destination) ? files.files[row.destination] : "",
              row.installedAfter);
    EXPECT_EQ(std::ranges::count_if(
                  files.calls, [](const std::wstring& call) { return call.starts_with(L"Copy "); }),
              row.copiesInTwoStarts);
  }
}

TEST(DisplayFont, FailuresOtherThanTheCopyAreNotSwallowed) {
  // Fails at its second call: after the source test, while the copy's own paths are made.
  struct FlakyProgramLocation final : ProgramLocation {
    std::wstring OwnFolder() const override {
      if (++calls > 1) throw RuntimeError(122, L"too small");
      return L"C:\\Tools";
    }
    std::wstring OwnFileName() const override { return L"Calmora"; }
    mutable int calls = 0;
  } flaky;
  testing::FakeFileSystem files;
  testing::FakeEnvironment environment;
  files.files[L"C:\\Tools\\ELEPHNT.TTF"] = "beside";
  EXPECT_THROW(ProvisionDisplayFont(files, environment, flaky), RuntimeError);
}

}  // namespace
}  // namespace calmora
