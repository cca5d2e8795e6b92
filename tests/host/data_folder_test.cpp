#include "store/data_folder.h"

#include <gtest/gtest.h>

#include "tests/host/fakes/fake_environment.h"
#include "tests/host/fakes/fake_file_system.h"

namespace calmora {
namespace {

using testing::FakeEnvironment;
using testing::FakeFileSystem;

TEST(DataFolder, ProgramDataWinsAndIsUsedAsItIs) {
  FakeEnvironment environment;
  environment.variables = {{L"ProgramData", L"D:\\Shared Data\\ "},
                           {L"AllUsersProfile", L"C:\\Documents and Settings\\All Users"}};
  EXPECT_EQ(ResolveDataFolder(environment), L"D:\\Shared Data\\ ");
}

TEST(DataFolder, WithoutProgramDataFallsBackToAllUsersProfile) {
  FakeEnvironment environment;
  environment.variables = {{L"ProgramData", L""},
                           {L"AllUsersProfile", L"C:\\Documents and Settings\\All Users"}};
  EXPECT_EQ(ResolveDataFolder(environment),
            L"C:\\Documents and Settings\\All Users\\Application Data");
  environment.variables.erase(L"ProgramData");
  EXPECT_EQ(ResolveDataFolder(environment),
            L"C:\\Documents and Settings\\All Users\\Application Data");
}

TEST(DataFolder, NeitherVariableGivesAFolderAtTheDriveRoot) {
  const FakeEnvironment environment;
  EXPECT_EQ(ResolveDataFolder(environment), L"\\Application Data");
  EXPECT_EQ(MessageFilePath(ResolveDataFolder(environment)),
            L"\\Application Data\\Quillmoor\\UserMessage.txt");
}

TEST(DataFolder, MessagePathsHangOffTheDataFolder) {
  EXPECT_EQ(MessageFolderPath(L"C:\\ProgramData"), L"C:\\ProgramData\\Quillmoor");
  EXPECT_EQ(MessageFilePath(L"C:\\ProgramData"), L"C:\\ProgramData\\Quillmoor\\UserMessage.txt");
}

TEST(MessageFolder, IsCreatedOnlyWhenMissingAndOnlyItsLastLevel) {
  FakeFileSystem files;
  files.folders = {L"C:\\ProgramData"};
  EnsureMessageFolder(files, L"C:\\ProgramData");
  EXPECT_TRUE(files.folders.contains(L"C:\\ProgramData\\Quillmoor"));

  // Already there: it is not made again, which would fail.
  EXPECT_NO_THROW(EnsureMessageFolder(files, L"C:\\ProgramData"));
}

TEST(MessageFolder, AMissingDataFolderIsAnError) {
  FakeFileSystem files;
  EXPECT_THROW(EnsureMessageFolder(files, L"\\Application Data"), RuntimeError);
  EXPECT_FALSE(files.folders.contains(L"\\Application Data"));
}

}  // namespace
}  // namespace calmora
