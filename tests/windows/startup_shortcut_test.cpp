// The program's startup shortcut written through the real shell into Wine's Startup folder, read
// back the way Explorer reads it, and removed.
#include "startup/startup_shortcut.h"

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/runtime_error.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_location.h"
#include "platform/win32/win32_shell.h"
#include "tests/common/shortcut_properties_printer.h"

namespace calmora::win32 {
namespace {

// Through the shell's own link object; a file it cannot load reads as empty properties.
ShortcutProperties ReadShortcut(const std::wstring& linkPath) {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  wchar_t target[MAX_PATH] = {}, icon[MAX_PATH] = {}, folder[MAX_PATH] = {};
  wchar_t description[INFOTIPSIZE] = {};
  int iconIndex = -1;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(link.put()))) &&
      SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(file.put()))) &&
      SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
    // The raw path: as it was stored, with nothing expanded or resolved.
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetIconLocation(icon, MAX_PATH, &iconIndex);
    link->GetDescription(description, INFOTIPSIZE);
    link->GetWorkingDirectory(folder, MAX_PATH);
  }
  return {target, icon, iconIndex, description, folder};
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

TEST_F(StartupShortcutTest, IsWrittenIntoTheStartupFolderReadsBackAndIsRemoved) {
  const std::wstring folder = shell.StartupFolder();
  // Windows calls it "Startup", Wine "StartUp"; the file system ignores the difference.
  EXPECT_EQ(
      CompareStringOrdinal(folder.substr(folder.rfind(L'\\')).c_str(), -1, L"\\Startup", -1, TRUE),
      CSTR_EQUAL);
  // A user without a Startup folder gets one.
  RemoveDirectoryW(folder.c_str());
  ASSERT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
  CreateStartupShortcut(shell, program);
  ASSERT_TRUE(StartupShortcutExists(shell, files));

  const std::wstring exe = ExecutablePath();
  EXPECT_EQ(ReadShortcut(StartupShortcutPath(shell)),
            (ShortcutProperties{exe, exe, 0, L"Show a message to the User from the PC Tech.",
                                exe.substr(0, exe.rfind(L'\\'))}));
  RemoveStartupShortcut(shell, files);
  EXPECT_FALSE(StartupShortcutExists(shell, files));
}

TEST_F(StartupShortcutTest, ASaveTheShellRefusesIsARuntimeErrorWithThePlatformsNumber) {
  try {
    shell.SaveShortcut(shell.StartupFolder() + L"\\missing\\Calmora.lnk", {});
    ADD_FAILURE() << "the failed save was not reported";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
  }
}

// Not a test of its own: read_shortcut_with_lnkinfo.sh has the program's shortcut copied to the
// file this variable names, and reads it with a reader that shares no code with Windows or Wine.
TEST_F(StartupShortcutTest, IsCopiedOutForAnOutsideReader) {
  const wchar_t* copy = _wgetenv(L"CALMORA_SHORTCUT_COPY");
  if (!copy) GTEST_SKIP() << "only run by read_shortcut_with_lnkinfo.sh";
  CreateStartupShortcut(shell, program);
  ASSERT_TRUE(CopyFileW(StartupShortcutPath(shell).c_str(), copy, FALSE));
}

}  // namespace
}  // namespace calmora::win32
