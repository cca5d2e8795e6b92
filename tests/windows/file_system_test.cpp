// The Win32 file and folder services against Wine's real file system.
#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "platform/runtime_error.h"
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

TEST(Win32FileSystem, ReadsEveryByteAndFailsOnAnEmptyFile) {
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

TEST(Win32FileSystem, ReplacesContentsWholeAndLeavesNoTemporaryFile) {
  ScratchFolder scratch;
  Win32FileSystem files;
  const std::wstring path = scratch.Path(L"UserMessage.txt");
  files.ReplaceContents(path, "first");
  EXPECT_EQ(scratch.Read(L"UserMessage.txt"), "first");
  files.ReplaceContents(path, "second, longer\r\n");
  EXPECT_EQ(scratch.Read(L"UserMessage.txt"), "second, longer\r\n");
  files.ReplaceContents(path, "");
  EXPECT_EQ(scratch.Read(L"UserMessage.txt"), "");
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
  // Wine's ReplaceFileW leaves a backup of its own ("rf*.tmp") behind when it fails; what
  // matters here is that none of the save's own temporary files stays.
  for (const auto& name : scratch.Names()) EXPECT_EQ(name.find(L".saving"), std::wstring::npos);

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

}  // namespace
}  // namespace calmora::win32
