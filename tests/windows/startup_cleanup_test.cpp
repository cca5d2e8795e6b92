// The uninstall clean-up's path comparison against Wine's real file system. The rest of the
// custom action runs whole in the installer's test (tests/installer).
#include "packaging/installer/startup_cleanup/win32/win32_machine.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/scratch_folder.h"

namespace calmora::startup_cleanup::win32 {
namespace {

TEST(StartupCleanupMachineTest, ComparesPathsAsWindowsDoes) {
  testing::ScratchFolder scratch;
  Win32Machine machine([](const std::wstring&) {});
  scratch.Write(L"Calmora Program.exe", "");
  const std::wstring program = scratch.Path(L"Calmora Program.exe");
  wchar_t shortName[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameW(program.c_str(), shortName, MAX_PATH), 0u);
  ASSERT_NE(shortName, program);  // an 8.3 name such as CALMOR~1.EXE

  // As text alone: finding the long name would open the folders on the way, wherever they lead.
  EXPECT_FALSE(machine.SamePath(program, shortName));
  EXPECT_TRUE(machine.SamePath(program, scratch.Path(L"sub\\..\\CALMORA program.EXE")));
  EXPECT_TRUE(machine.SamePath(L"C:\\\u00c4rger\\Calmora.exe", L"c:\\\u00e4rger\\calmora.exe"));
  EXPECT_FALSE(machine.SamePath(program, program + L".bak"));
}

}  // namespace
}  // namespace calmora::startup_cleanup::win32
