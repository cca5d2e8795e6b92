// The startup shortcut's path, contents, existence test and removal, over an in-memory shell.
#include "startup/startup_shortcut.h"

#include "startup/launch_removal.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"
#include "tests/host/fakes/fake_file_system.h"
#include "tests/host/fakes/fake_program_location.h"
#include "tests/host/fakes/fake_shell.h"

namespace calmora {
namespace {

struct StartupShortcutTest : ::testing::Test {
  testing::FakeFileSystem files;
  testing::FakeShell shell{files};
  testing::FakeProgramLocation program;
};

// The same shell and program throughout: a moved Startup folder or a renamed executable must be
// followed at the very next use, so nothing may be remembered from an earlier one.
TEST_F(StartupShortcutTest, PointsAtTheRunningExecutableFromTheCurrentStartupFolder) {
  struct Row {
    const wchar_t* startupFolder;
    const wchar_t* folder;
    const wchar_t* name;
    const wchar_t* executable;
  };
  for (const Row& row :
       {Row{L"C:\\Users\\Ada\\Startup", L"C:\\Program Files\\Quillmoor", L"Calmora",
            L"C:\\Program Files\\Quillmoor\\Calmora.exe"},
        Row{L"D:\\Grace\\Startup", L"E:\\Support", L"Helper", L"E:\\Support\\Helper.exe"}}) {
    shell.startupFolder = row.startupFolder;
    program.folder = row.folder;
    program.fileName = row.name;
    CreateStartupShortcut(shell, program);
    ASSERT_FALSE(shell.saved.empty());
    EXPECT_EQ(shell.saved.back().linkPath,
              row.startupFolder +
                  std::wstring(L"\\Calmora - Display a Message from a Support Person.lnk"));
    EXPECT_EQ(shell.saved.back().properties,
              (ShortcutProperties{row.executable, row.executable, 0,
                                  L"Show a message to the User from the PC Tech.", row.folder}))
        << row.executable;
  }
}

TEST_F(StartupShortcutTest, ExistsOnceCreatedAndRemovingItTwiceIsNoError) {
  EXPECT_FALSE(StartupShortcutExists(shell, files));
  CreateStartupShortcut(shell, program);
  EXPECT_TRUE(StartupShortcutExists(shell, files));
  RemoveStartupShortcut(shell, files);
  EXPECT_FALSE(StartupShortcutExists(shell, files));
  EXPECT_NO_THROW(RemoveStartupShortcut(shell, files));
}

TEST_F(StartupShortcutTest, AFailedSaveOrDeleteIsARuntimeError) {
  shell.saveFailure = 5;  // access denied
  EXPECT_THROW(CreateStartupShortcut(shell, program), RuntimeError);
  shell.saveFailure.reset();
  CreateStartupShortcut(shell, program);
  files.failingOperations["Delete"] = 32;  // held open by another program
  EXPECT_THROW(RemoveStartupShortcut(shell, files), RuntimeError);
  EXPECT_NO_THROW(RemoveStartupShortcutAtLaunch(shell, files)) << "a launch passes over it";
  EXPECT_TRUE(StartupShortcutExists(shell, files));
}

}  // namespace
}  // namespace calmora
