// The Win32 shell services against Wine's known folders and shell-link objects.
#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "platform/runtime_error.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_location.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/shortcut_reader.h"

namespace calmora::win32 {
namespace {

using calmora::testing::ReadShortcut;
using calmora::testing::ScratchFolder;

std::uint32_t ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.Number();
  }
  return 0;
}

TEST(Win32Shell, StartupFolderIsARealFolderWithoutATrailingBackslash) {
  ComApartment apartment;
  const std::wstring folder = Win32Shell().StartupFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), L'\\');
  EXPECT_TRUE(Win32FileSystem().FolderExists(folder));
  // Windows calls it "Startup", Wine "StartUp"; the file system ignores the difference.
  EXPECT_EQ(CompareStringOrdinal(folder.substr(folder.rfind(L'\\') + 1).c_str(), -1, L"Startup", -1,
                                 TRUE),
            CSTR_EQUAL);
}

TEST(Win32Shell, SavesExactlyWhatItIsGiven) {
  ComApartment apartment;
  ScratchFolder scratch;
  scratch.Write(L"Tool.exe", "MZ");
  const ShortcutProperties properties{.targetPath = scratch.Path(L"Tool.exe"),
                                      .iconPath = scratch.Path(L"Tool.exe"),
                                      .iconIndex = 3,
                                      .description = L"A description, with commas.",
                                      .workingDirectory = scratch.Path()};
  Win32Shell().SaveShortcut(scratch.Path(L"Tool.lnk"), properties);
  EXPECT_EQ(ReadShortcut(scratch.Path(L"Tool.lnk")), properties);
}

TEST(Win32Shell, SavingOverAShortcutReplacesIt) {
  ComApartment apartment;
  ScratchFolder scratch;
  Win32Shell shell;
  ShortcutProperties properties{.targetPath = ExecutablePath(),
                                .iconPath = ExecutablePath(),
                                .iconIndex = 0,
                                .description = L"first",
                                .workingDirectory = scratch.Path()};
  shell.SaveShortcut(scratch.Path(L"Tool.lnk"), properties);
  properties.description = L"second";
  shell.SaveShortcut(scratch.Path(L"Tool.lnk"), properties);
  EXPECT_EQ(ReadShortcut(scratch.Path(L"Tool.lnk")).description, L"second");
}

TEST(Win32Shell, SavingIntoAMissingFolderFailsWithThePlatformsNumberAndWritesNothing) {
  ComApartment apartment;
  ScratchFolder scratch;
  const ShortcutProperties properties{.targetPath = ExecutablePath(),
                                      .iconPath = ExecutablePath(),
                                      .iconIndex = 0,
                                      .description = L"x",
                                      .workingDirectory = scratch.Path()};
  EXPECT_EQ(ErrorNumberOf(
                [&] { Win32Shell().SaveShortcut(scratch.Path(L"missing\\Tool.lnk"), properties); }),
            static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(scratch.Names().empty());
}

}  // namespace
}  // namespace calmora::win32
