// The Win32 file and folder services against Wine's real file system.
#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#include "platform/runtime_error.h"
#include "platform/win32/scoped_privilege.h"
#include "tests/support/folder_link.h"
#include "tests/support/scratch_folder.h"

namespace calmora::win32 {
namespace {

using calmora::testing::ScratchFolder;

std::uint32_t ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.Number();
  }
  return 0;
}

TEST(Win32FileSystem, TellsFoldersFromFiles) {
  ScratchFolder scratch;
  Win32FileSystem files;
  scratch.Write(L"a.txt", "x");
  EXPECT_TRUE(files.FileExists(scratch.Path(L"a.txt")));
  EXPECT_FALSE(files.FolderExists(scratch.Path(L"a.txt")));
  EXPECT_TRUE(files.FolderExists(scratch.Path()));
  EXPECT_FALSE(files.FileExists(scratch.Path()));
  EXPECT_FALSE(files.FileExists(scratch.Path(L"missing.txt")));
  EXPECT_FALSE(files.FolderExists(scratch.Path(L"missing")));
}

TEST(Win32FileSystem, CreatesOneFolderLevelOnly) {
  ScratchFolder scratch;
  Win32FileSystem files;
  files.CreateFolder(scratch.Path(L"Quillmoor"));
  EXPECT_TRUE(files.FolderExists(scratch.Path(L"Quillmoor")));
  EXPECT_EQ(ErrorNumberOf([&] { files.CreateFolder(scratch.Path(L"no\\such")); }),
            static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(ErrorNumberOf([&] { files.CreateFolder(scratch.Path(L"Quillmoor")); }),
            static_cast<std::uint32_t>(ERROR_ALREADY_EXISTS));
  scratch.Write(L"in-the-way", "x");
  EXPECT_NE(ErrorNumberOf([&] { files.CreateFolder(scratch.Path(L"in-the-way")); }), 0u);
}

TEST(Win32FileSystem, ReadsEveryByteAndFailsOnAnEmptyOrTooLargeFile) {
  ScratchFolder scratch;
  Win32FileSystem files;
  std::string bytes = "line one\r\nline two\r\n";
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  scratch.Write(L"message.txt", bytes);
  auto reader = files.OpenForReading(scratch.Path(L"message.txt"));
  EXPECT_EQ(reader->ReadAll(), bytes);
  reader->Close();

  scratch.Write(L"empty.txt", "");
  reader = files.OpenForReading(scratch.Path(L"empty.txt"));
  EXPECT_EQ(ErrorNumberOf([&] { reader->ReadAll(); }),
            static_cast<std::uint32_t>(ERROR_HANDLE_EOF));
  reader->Close();

  // INT_MAX bytes may be INT_MAX characters, which leave the message box no room for their NUL.
  scratch.Write(L"large.txt", "");
  std::filesystem::resize_file(scratch.Path(L"large.txt"), INT_MAX);
  EXPECT_EQ(ErrorNumberOf([&] { files.OpenForReading(scratch.Path(L"large.txt"))->ReadAll(); }),
            static_cast<std::uint32_t>(ERROR_FILE_TOO_LARGE));
}

TEST(Win32FileSystem, OpeningAFileHeldWithoutSharingFails) {
  ScratchFolder scratch;
  Win32FileSystem files;
  scratch.Write(L"locked.txt", "x");
  HANDLE held = CreateFileW(scratch.Path(L"locked.txt").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ErrorNumberOf([&] { files.OpenForReading(scratch.Path(L"locked.txt")); }),
            static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
  CloseHandle(held);
  EXPECT_EQ(ErrorNumberOf([&] { files.OpenForReading(scratch.Path(L"missing.txt")); }),
            static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

TEST(Win32FileSystem, ReplacesContentsWholeAndClearsWhatKilledSavesLeft) {
  ScratchFolder scratch;
  Win32FileSystem files;
  const std::wstring path = scratch.Path(L"UserMessage.txt");
  files.ReplaceContents(path, "first");
  EXPECT_EQ(scratch.Read(L"UserMessage.txt"), "first");

  // Two saves that were killed, one that another instance has in progress (its file open and
  // unshared), and files that are not a save's at all.
  scratch.Write(L"UserMessage.txt.4242-1000.saving", "killed");
  scratch.Write(L"UserMessage.txt.77-2000.saving", "killed too");
  const HANDLE inProgress = CreateFileW(scratch.Path(L"UserMessage.txt.99-3000.saving").c_str(),
                                        GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(inProgress, INVALID_HANDLE_VALUE);
  scratch.Write(L"UserMessage.txt.backup.saving", "someone else's");
  scratch.Write(L"Notes.txt.1-1.saving", "someone else's");

  files.ReplaceContents(path, "second, longer\r\n");
  EXPECT_EQ(scratch.Read(L"UserMessage.txt"), "second, longer\r\n");
  CloseHandle(inProgress);
  EXPECT_EQ(scratch.Names(), (std::vector<std::wstring>{L"Notes.txt.1-1.saving", L"UserMessage.txt",
                                                        L"UserMessage.txt.99-3000.saving",
                                                        L"UserMessage.txt.backup.saving"}));
}

TEST(Win32FileSystem, AReplacedFileKeepsItsSecurityExactly) {
  ScratchFolder scratch;
  Win32FileSystem files;
  const std::wstring path = scratch.Path(L"UserMessage.txt");
  files.ReplaceContents(path, "old");
  // Another owner, and users who may read only through an inherited entry.
  constexpr SECURITY_INFORMATION kKept =
      OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  PSECURITY_DESCRIPTOR given = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
      L"O:SYG:SYD:AI(A;;FA;;;SY)(A;;FA;;;BA)(A;ID;0x1200a9;;;BU)", SDDL_REVISION_1, &given,
      nullptr));
  const UniqueLocalMemory freedGiven(given);
  {
    const ScopedPrivilege restore(SE_RESTORE_NAME);  // for SYSTEM as the owner
    if (!SetFileSecurityW(path.c_str(), kKept, given)) {
      const DWORD error = GetLastError();
      if (error != ERROR_INVALID_OWNER && error != ERROR_PRIVILEGE_NOT_HELD &&
          error != ERROR_ACCESS_DENIED) {
        FAIL() << error;
      }
      GTEST_SKIP() << "making another account the file's owner needs an elevated run (error "
                   << error << ")";
    }
  }
  const auto sddl = [&] {
    alignas(void*) char descriptor[4096];
    DWORD size = 0;
    wchar_t* text = nullptr;
    if (!GetFileSecurityW(path.c_str(), kKept, descriptor, sizeof descriptor, &size) ||
        !ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, kKept,
                                                              &text, nullptr)) {
      ADD_FAILURE() << "the file's security cannot be read: " << GetLastError();
    }
    const UniqueLocalMemory freed(text);
    return std::wstring(text ? text : L"");
  };
  const std::wstring before = sddl();
  files.ReplaceContents(path, "new");
  EXPECT_EQ(sddl(), before);
  // What the platform kept of the descriptor it was given is all a save can be seen to keep.
  if (!before.starts_with(L"O:SY")) {
    GTEST_SKIP() << "this system ignores a file's owner (it reads back " << before
                 << "): that a save keeps another account as the owner cannot be seen";
  }
  if (before.find(L"(A;ID;0x1200a9;;;BU)") == std::wstring::npos) {
    GTEST_SKIP() << "this system drops an inherited entry (it reads back " << before
                 << "): that a save keeps it cannot be seen";
  }
}

TEST(Win32FileSystem, AReplacedFileKeepsItsAttributesButNotReadOnly) {
  ScratchFolder scratch;
  Win32FileSystem files;
  const std::wstring path = scratch.Path(L"UserMessage.txt");
  files.ReplaceContents(path, "old");
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));  // no archive: as a backup
  const bool archiveShown = !(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_ARCHIVE);
  files.ReplaceContents(path, "new");
  const DWORD attributes = GetFileAttributesW(path.c_str());
  EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  if (archiveShown) {
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_ARCHIVE);
  }

  // A read-only file is refused, not replaced.
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ErrorNumberOf([&] { files.ReplaceContents(path, "newer"); }),
            static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(scratch.Read(L"UserMessage.txt"), "new");
  EXPECT_EQ(scratch.Names(), std::vector<std::wstring>{L"UserMessage.txt"});
  if (!archiveShown) {
    GTEST_SKIP() << "this system reports the archive attribute on every file: that a save marks "
                    "the file for backup cannot be seen";
  }
}

TEST(Win32FileSystem, CreatesAnEmptyFileOnlyWhereThereIsNone) {
  ScratchFolder scratch;
  Win32FileSystem files;
  EXPECT_TRUE(files.CreateEmptyFileIfNone(scratch.Path(L"UserMessage.txt")));
  EXPECT_EQ(scratch.Read(L"UserMessage.txt"), "");
  scratch.Write(L"From IT.txt", "Back at 3.\r\n\xFF");
  EXPECT_FALSE(files.CreateEmptyFileIfNone(scratch.Path(L"From IT.txt")));
  EXPECT_EQ(scratch.Read(L"From IT.txt"), "Back at 3.\r\n\xFF");
  EXPECT_EQ(ErrorNumberOf([&] { files.CreateEmptyFileIfNone(scratch.Path(L"gone\\x.txt")); }),
            static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
}

TEST(Win32FileSystem, SavesAtTheSameTimeAllSucceedAndOneOfThemWinsWhole) {
  ScratchFolder scratch;
  Win32FileSystem files;
  const std::wstring path = scratch.Path(L"UserMessage.txt");
  const std::string first(64 * 1024, 'a');
  const std::string second(64 * 1024, 'b');
  std::atomic<int> failures = 0;
  const auto saveRepeatedly = [&](const std::string& bytes) {
    for (int i = 0; i < 40; ++i) {
      if (ErrorNumberOf([&] { files.ReplaceContents(path, bytes); }) != 0) ++failures;
    }
  };
  std::thread one(saveRepeatedly, first);
  std::thread two(saveRepeatedly, second);
  one.join();
  two.join();
  EXPECT_EQ(failures, 0);
  const std::string last = scratch.Read(L"UserMessage.txt");
  EXPECT_TRUE(last == first || last == second);
  EXPECT_EQ(scratch.Names(), std::vector<std::wstring>{L"UserMessage.txt"});
}

TEST(Win32FileSystem, AFailedReplaceKeepsTheOldContents) {
  ScratchFolder scratch;
  Win32FileSystem files;
  const std::wstring path = scratch.Path(L"UserMessage.txt");
  files.ReplaceContents(path, "the old message");
  // Another program holds the file open without sharing: the new text cannot take its place.
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_NE(ErrorNumberOf([&] { files.ReplaceContents(path, "new"); }), 0u);
  CloseHandle(held);
  EXPECT_EQ(scratch.Read(L"UserMessage.txt"), "the old message");
  EXPECT_EQ(scratch.Names(), std::vector<std::wstring>{L"UserMessage.txt"});

  EXPECT_EQ(ErrorNumberOf([&] { files.ReplaceContents(scratch.Path(L"gone\\x.txt"), "x"); }),
            static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
}

TEST(Win32FileSystem, CopiesWithoutEverReplacingAndDeletes) {
  ScratchFolder scratch;
  Win32FileSystem files;
  scratch.Write(L"source.ttf", "font bytes");
  files.Copy(scratch.Path(L"source.ttf"), scratch.Path(L"copy.ttf"));
  EXPECT_EQ(scratch.Read(L"copy.ttf"), "font bytes");
  scratch.Write(L"other.ttf", "other");
  EXPECT_EQ(
      ErrorNumberOf([&] { files.Copy(scratch.Path(L"other.ttf"), scratch.Path(L"copy.ttf")); }),
      static_cast<std::uint32_t>(ERROR_FILE_EXISTS));
  EXPECT_EQ(scratch.Read(L"copy.ttf"), "font bytes");

  files.Delete(scratch.Path(L"copy.ttf"));
  EXPECT_FALSE(files.FileExists(scratch.Path(L"copy.ttf")));
  EXPECT_EQ(ErrorNumberOf([&] { files.Delete(scratch.Path(L"copy.ttf")); }),
            static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

// A save never goes through a link to the message's folder, wherever on the folder's path the
// link is: its owner could send the save anywhere. Reading may.

struct LinkedFolder {
  const char* where;
  const wchar_t* link;    // made a link to `target`
  const wchar_t* target;  // holds the folder behind the link
  const wchar_t* folder;  // the message's folder, as the save is given it
};

class Win32FileSystemLinkedFolder : public ::testing::TestWithParam<LinkedFolder> {};

TEST_P(Win32FileSystemLinkedFolder, IsRefusedForSavingAndNothingBehindItChanges) {
  const LinkedFolder& row = GetParam();
  ScratchFolder scratch;
  Win32FileSystem files;
  const std::wstring behind = scratch.Path(L"Behind\\Quillmoor");
  ASSERT_TRUE(CreateDirectoryW(scratch.Path(L"Behind").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(behind.c_str(), nullptr));
  scratch.Write(L"Behind\\Quillmoor\\UserMessage.txt", "theirs");
  scratch.Write(L"Behind\\Quillmoor\\UserMessage.txt.1-1.saving", "as a killed save left it");
  if (!testing::MakeFolderLink(scratch.Path(row.link), scratch.Path(row.target))) {
    GTEST_SKIP() << "this account may not make a folder link";
  }
  const std::wstring folder = scratch.Path(row.folder);

  EXPECT_EQ(ErrorNumberOf([&] { files.ReplaceContents(folder + L"\\UserMessage.txt", "mine"); }),
            static_cast<std::uint32_t>(ERROR_CANT_ACCESS_FILE));
  EXPECT_EQ(ErrorNumberOf([&] { files.CreateEmptyFileIfNone(folder + L"\\New.txt"); }),
            static_cast<std::uint32_t>(ERROR_CANT_ACCESS_FILE));
  EXPECT_EQ(scratch.Read(L"Behind\\Quillmoor\\UserMessage.txt"), "theirs");
  EXPECT_EQ(scratch.Names(L"Behind\\Quillmoor"),
            (std::vector<std::wstring>{L"UserMessage.txt", L"UserMessage.txt.1-1.saving"}));
  EXPECT_EQ(files.OpenForReading(folder + L"\\UserMessage.txt")->ReadAll(), "theirs");
  testing::RemoveFolderLink(scratch.Path(row.link));
}

INSTANTIATE_TEST_SUITE_P(AnywhereOnItsPath, Win32FileSystemLinkedFolder,
                         ::testing::Values(LinkedFolder{"TheFolderItself", L"Quillmoor",
                                                        L"Behind\\Quillmoor", L"Quillmoor"},
                                           LinkedFolder{"AFolderFurtherUp", L"ProgramData",
                                                        L"Behind", L"ProgramData\\Quillmoor"}),
                         [](const ::testing::TestParamInfo<LinkedFolder>& row) {
                           return std::string(row.param.where);
                         });

// A name of a killed save's pattern that another user left as a link costs them only that name:
// what it points to is never deleted. Under Wine a Unix link opens its target, and is left be.
TEST(Win32FileSystemLinks, ALeftoverThatIsALinkIsNeverFollowed) {
  ScratchFolder scratch;
  Win32FileSystem files;
  ASSERT_TRUE(CreateDirectoryW(scratch.Path(L"Quillmoor").c_str(), nullptr));
  scratch.Write(L"Precious.txt", "someone else's file");
  if (!testing::MakeFileLink(scratch.Path(L"Quillmoor\\UserMessage.txt.5-5000.saving"),
                             scratch.Path(L"Precious.txt"))) {
    GTEST_SKIP() << "this account may not make a file link";
  }
  files.ReplaceContents(scratch.Path(L"Quillmoor\\UserMessage.txt"), "new");
  EXPECT_EQ(scratch.Read(L"Quillmoor\\UserMessage.txt"), "new");
  EXPECT_EQ(scratch.Read(L"Precious.txt"), "someone else's file");
}

}  // namespace
}  // namespace calmora::win32
