// The startup shortcut's path, contents, existence test and removal, over an in-memory shell.
#include "startup/startup_shortcut.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"
#include "tests/host/fakes/fake_file_system.h"
#include "tests/host/fakes/fake_program_location.h"
#include "tests/host/fakes/fake_shell.h"

namespace calmora {
namespace {

using testing::FakeFileSystem;
using testing::FakeProgramLocation;
using testing::FakeShell;

constexpr const wchar_t* kLink =
    L"C:\\Users\\Ada\\Start Menu\\Programs\\Startup\\"
    L"Calmora - Display a Message from a Support Person.lnk";

TEST(StartupShortcut, LivesInTheUsersStartupFolder) {
  FakeFileSystem files;
  FakeShell shell(files);
  EXPECT_EQ(StartupShortcutPath(shell), kLink);

  shell.startupFolder = L"D:\\Profiles\\Grace\\Startup";
  EXPECT_EQ(StartupShortcutPath(shell),
            L"D:\\Profiles\\Grace\\Startup\\Calmora - Display a Message from a Support Person.lnk");
}

TEST(StartupShortcut, IsBuiltAfreshAtEveryUse) {
  FakeFileSystem files;
  FakeShell shell(files);
  StartupShortcutPath(shell);
  StartupShortcutPath(shell);
  EXPECT_EQ(shell.startupFolderLookups, 2);
}

TEST(StartupShortcut, PointsAtTheRunningExecutable) {
  FakeFileSystem files;
  FakeShell shell(files);
  FakeProgramLocation program;
  program.folder = L"C:\\Program Files\\Quillmoor";
  CreateStartupShortcut(shell, program);

  ASSERT_EQ(shell.saved.size(), 1u);
  EXPECT_EQ(shell.saved[0].linkPath, kLink);
  const ShortcutProperties& properties = shell.saved[0].properties;
  EXPECT_EQ(properties.targetPath, L"C:\\Program Files\\Quillmoor\\Calmora.exe");
  EXPECT_EQ(properties.iconPath, L"C:\\Program Files\\Quillmoor\\Calmora.exe");
  EXPECT_EQ(properties.iconIndex, 0);
  EXPECT_EQ(properties.description, L"Show a message to the User from the PC Tech.");
  EXPECT_EQ(properties.workingDirectory, L"C:\\Program Files\\Quillmoor");
}

TEST(StartupShortcut, FollowsARenamedExecutable) {
  FakeFileSystem files;
  FakeShell shell(files);
  FakeProgramLocation program;
  program.folder = L"E:\\Support";
  program.fileName = L"Helper";
  CreateStartupShortcut(shell, program);

  ASSERT_EQ(shell.saved.size(), 1u);
  EXPECT_EQ(shell.saved[0].properties.targetPath, L"E:\\Support\\Helper.exe");
  EXPECT_EQ(shell.saved[0].properties.iconPath, L"E:\\Support\\Helper.exe");
  EXPECT_EQ(shell.saved[0].properties.workingDirectory, L"E:\\Support");
}

TEST(StartupShortcut, CreatingLooksForNothingFirst) {
  FakeFileSystem files;
  FakeShell shell(files);
  CreateStartupShortcut(shell, FakeProgramLocation());
  CreateStartupShortcut(shell, FakeProgramLocation());
  EXPECT_EQ(shell.saved.size(), 2u);
  EXPECT_TRUE(files.calls.empty());
}

TEST(StartupShortcut, ExistsOnceCreatedAndNotOnceRemoved) {
  FakeFileSystem files;
  FakeShell shell(files);
  EXPECT_FALSE(StartupShortcutExists(shell, files));

  CreateStartupShortcut(shell, FakeProgramLocation());
  EXPECT_TRUE(StartupShortcutExists(shell, files));

  RemoveStartupShortcut(shell, files);
  EXPECT_FALSE(StartupShortcutExists(shell, files));
  EXPECT_FALSE(files.files.contains(kLink));
}

TEST(StartupShortcut, RemovalTestsThenDeletesTheOneFile) {
  FakeFileSystem files;
  FakeShell shell(files);
  files.files[kLink] = "made earlier";
  files.files[L"C:\\Users\\Ada\\Start Menu\\Programs\\Startup\\Other.lnk"] = "another program";
  RemoveStartupShortcut(shell, files);
  EXPECT_EQ(files.calls, (std::vector<std::wstring>{std::wstring(L"FileExists ") + kLink,
                                                    std::wstring(L"Delete ") + kLink}));
  EXPECT_EQ(files.files.size(), 1u);
}

TEST(StartupShortcut, RemovingWhatIsNotThereChangesNothing) {
  FakeFileSystem files;
  FakeShell shell(files);
  files.files[L"C:\\Users\\Ada\\Start Menu\\Programs\\Startup\\Other.lnk"] = "another program";
  const auto before = files.files;
  EXPECT_NO_THROW(RemoveStartupShortcut(shell, files));
  EXPECT_EQ(files.files, before);
  EXPECT_EQ(files.calls, std::vector<std::wstring>{std::wstring(L"FileExists ") + kLink});
}

TEST(StartupShortcut, AFailedDeleteIsARuntimeError) {
  FakeFileSystem files;
  FakeShell shell(files);
  files.files[kLink] = "held open by another program";
  files.failingOperations["Delete"] = 32;  // sharing violation
  try {
    RemoveStartupShortcut(shell, files);
    FAIL() << "the failed delete was swallowed";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), 32u);
  }
  EXPECT_TRUE(files.files.contains(kLink));
}

TEST(StartupShortcut, AFailedSaveIsARuntimeErrorAndLeavesNoFile) {
  FakeFileSystem files;
  FakeShell shell(files);
  shell.saveFailure = 5;  // access denied
  EXPECT_THROW(CreateStartupShortcut(shell, FakeProgramLocation()), RuntimeError);
  EXPECT_FALSE(StartupShortcutExists(shell, files));
}

}  // namespace
}  // namespace calmora
