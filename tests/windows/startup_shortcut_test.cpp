// The startup shortcut made, found and removed in the real Startup folder of Wine's user.
#include "startup/startup_shortcut.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>

#include "platform/runtime_error.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_location.h"
#include "platform/win32/win32_shell.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/shortcut_reader.h"

namespace calmora::win32 {
namespace {

using calmora::testing::ReadShortcut;
using calmora::testing::ScratchFolder;

// The program as another copy of it, renamed, would see itself.
class RenamedProgram final : public ProgramLocation {
 public:
  explicit RenamedProgram(std::wstring folder) : folder_(std::move(folder)) {}
  std::wstring OwnFolder() const override { return folder_; }
  std::wstring OwnFileName() const override { return L"Helper"; }

 private:
  std::wstring folder_;
};

std::uint32_t ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.Number();
  }
  return 0;
}

std::string Utf8(const std::wstring& text) {
  const int length = static_cast<int>(text.size());
  const int needed =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
  return bytes;
}

// Each test starts and ends with no shortcut of the program in the user's Startup folder.
class StartupShortcutTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteFileW(StartupShortcutPath(shell).c_str()); }
  void TearDown() override { DeleteFileW(StartupShortcutPath(shell).c_str()); }

  ComApartment apartment;
  Win32Shell shell;
  Win32FileSystem files;
  Win32ProgramLocation program;
};

TEST_F(StartupShortcutTest, IsWrittenWithItsFourPropertiesAndThenRemoved) {
  ASSERT_FALSE(StartupShortcutExists(shell, files));
  CreateStartupShortcut(shell, program);
  const std::wstring link = StartupShortcutPath(shell);
  EXPECT_EQ(link,
            shell.StartupFolder() + L"\\Calmora - Display a Message from a Support Person.lnk");
  EXPECT_TRUE(files.FileExists(link));
  EXPECT_TRUE(StartupShortcutExists(shell, files));

  const std::wstring executable = ExecutablePath();
  const ShortcutProperties read = ReadShortcut(link);
  EXPECT_EQ(read.targetPath, executable);
  EXPECT_EQ(read.iconPath, executable);
  EXPECT_EQ(read.iconIndex, 0);
  EXPECT_EQ(read.description, L"Show a message to the User from the PC Tech.");
  EXPECT_EQ(read.workingDirectory, executable.substr(0, executable.rfind(L'\\')));

  RemoveStartupShortcut(shell, files);
  EXPECT_FALSE(StartupShortcutExists(shell, files));
  EXPECT_FALSE(files.FileExists(link));
}

TEST_F(StartupShortcutTest, RemovingWhenAbsentIsNoError) {
  ASSERT_FALSE(StartupShortcutExists(shell, files));
  EXPECT_NO_THROW(RemoveStartupShortcut(shell, files));
  EXPECT_FALSE(StartupShortcutExists(shell, files));
}

TEST_F(StartupShortcutTest, FollowsARenamedExecutable) {
  ScratchFolder scratch;
  ASSERT_TRUE(CopyFileW(ExecutablePath().c_str(), scratch.Path(L"Helper.exe").c_str(), TRUE));
  CreateStartupShortcut(shell, RenamedProgram(scratch.Path()));

  const ShortcutProperties read = ReadShortcut(StartupShortcutPath(shell));
  EXPECT_EQ(read.targetPath, scratch.Path(L"Helper.exe"));
  EXPECT_EQ(read.iconPath, scratch.Path(L"Helper.exe"));
  EXPECT_EQ(read.iconIndex, 0);
  EXPECT_EQ(read.workingDirectory, scratch.Path());
}

TEST_F(StartupShortcutTest, AShortcutThatCannotBeDeletedIsARuntimeError) {
  CreateStartupShortcut(shell, program);
  const std::wstring link = StartupShortcutPath(shell);
  HANDLE held = CreateFileW(link.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ErrorNumberOf([&] { RemoveStartupShortcut(shell, files); }),
            static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
  CloseHandle(held);
  EXPECT_TRUE(StartupShortcutExists(shell, files));
}

// Not a test of its own: tests/windows/read_shortcut_with_lnkinfo.sh runs it to have the
// program's shortcut left in the Startup folder, and reads that file with a reader that shares no
// code with Windows or Wine. The variable names a file that receives the shortcut's path.
TEST(StartupShortcutForOutsideReader, IsLeftInPlaceWhenAsked) {
  const char* report = std::getenv("CALMORA_SHORTCUT_REPORT");
  if (!report) GTEST_SKIP() << "only run for an outside reader of the shortcut";
  ComApartment apartment;
  Win32Shell shell;
  CreateStartupShortcut(shell, Win32ProgramLocation());
  std::ofstream out(report, std::ios::binary | std::ios::trunc);
  out << Utf8(StartupShortcutPath(shell)) << '\n';
  ASSERT_TRUE(out.good());
}

}  // namespace
}  // namespace calmora::win32
