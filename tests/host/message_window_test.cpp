// The message window's load sequence and its OKAY button, against in-memory platform services.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/message_window/form_load.h"
#include "app/message_window/okay_button.h"
#include "tests/host/fakes/fake_environment.h"
#include "tests/host/fakes/fake_file_system.h"
#include "tests/host/fakes/fake_message_box.h"
#include "tests/host/fakes/fake_program_location.h"
#include "tests/host/fakes/latin1_code_page.h"

namespace calmora {
namespace {

using ::testing::ElementsAre;
using testing::FakeMessageBox;

const std::wstring kFolder = L"C:\\ProgramData\\Quillmoor";
const std::wstring kFile = L"C:\\ProgramData\\Quillmoor\\UserMessage.txt";

class MessageWindowTest : public ::testing::Test {
 protected:
  MessageWindowTest() {
    environment.variables[L"ProgramData"] = L"C:\\ProgramData";
    files.folders = {L"C:\\ProgramData"};
  }

  testing::FakeEnvironment environment;
  testing::FakeFileSystem files;
  testing::Latin1CodePage ansi;
  testing::FakeProgramLocation program;
  Services services{environment, files, ansi, program};
  FakeMessageBox messageBox;
};

TEST_F(MessageWindowTest, FirstStartMakesTheFolderAndShowsNoMessage) {
  Form_Load(services, messageBox);
  EXPECT_THAT(files.calls, ElementsAre(L"FolderExists " + kFolder, L"CreateFolder " + kFolder,
                                       L"FileExists " + kFile));
  EXPECT_EQ(messageBox.setCount, 0);
  EXPECT_FALSE(files.files.contains(kFile));
}

TEST_F(MessageWindowTest, StoredMessageIsReadInOrderAndShownExactly) {
  files.folders.insert(kFolder);
  files.files[kFile] = "Hello,\r\n\r\nplease call me.  \r\n";
  Form_Load(services, messageBox);
  EXPECT_THAT(files.calls,
              ElementsAre(L"FolderExists " + kFolder, L"FileExists " + kFile,
                          L"OpenForReading " + kFile, L"ReadAll " + kFile, L"Close " + kFile));
  EXPECT_EQ(messageBox.text, L"Hello,\r\n\r\nplease call me.  \r\n");
}

TEST_F(MessageWindowTest, HighBytesAreDecodedThroughTheCodePage) {
  files.folders.insert(kFolder);
  std::string bytes;
  for (int b = 0x80; b <= 0xFF; ++b) bytes += static_cast<char>(b);
  files.files[kFile] = bytes;
  Form_Load(services, messageBox);
  ASSERT_EQ(messageBox.text.size(), 128u);
  EXPECT_EQ(messageBox.text.front(), L'\x80');
  EXPECT_EQ(messageBox.text.back(), L'\xFF');
}

TEST_F(MessageWindowTest, EmptyMessageFileShowsLikeNoMessageAndStillCloses) {
  files.folders.insert(kFolder);
  files.files[kFile] = "";
  EXPECT_NO_THROW(Form_Load(services, messageBox));
  EXPECT_EQ(messageBox.text, L"");
  EXPECT_EQ(files.calls.back(), L"Close " + kFile);
}

TEST_F(MessageWindowTest, OnlyReadingAndShowingTheTextFailQuietly) {
  files.folders.insert(kFolder);
  files.files[kFile] = "text";

  messageBox.refuseText = true;
  EXPECT_NO_THROW(Form_Load(services, messageBox));
  EXPECT_EQ(messageBox.text, L"");
  EXPECT_EQ(files.calls.back(), L"Close " + kFile);

  messageBox.refuseText = false;
  files.failingOperations["ReadAll"] = 30;
  EXPECT_NO_THROW(Form_Load(services, messageBox));
  EXPECT_EQ(messageBox.text, L"");
}

TEST_F(MessageWindowTest, FailuresOutsideTheReadEndTheLoad) {
  files.folders.insert(kFolder);
  files.files[kFile] = "text";

  files.failingPaths[kFile] = 32;  // held open by another program without sharing
  try {
    Form_Load(services, messageBox);
    FAIL() << "opening should have failed";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), 32u);
  }
  EXPECT_EQ(messageBox.setCount, 0);

  files.failingPaths.clear();
  files.failingOperations["Close"] = 6;
  EXPECT_THROW(Form_Load(services, messageBox), RuntimeError);
}

TEST_F(MessageWindowTest, AFolderThatCannotBeMadeStopsBeforeTheMessageIsLookedFor) {
  files.folders.clear();
  EXPECT_THROW(Form_Load(services, messageBox), RuntimeError);
  EXPECT_THAT(files.calls, ElementsAre(L"FolderExists " + kFolder, L"CreateFolder " + kFolder));
}

TEST_F(MessageWindowTest, OkaySavesTheWholeTextWithNothingAdded) {
  files.folders.insert(kFolder);
  messageBox.text = L"line one\r\nline two \xE9";
  Okay_Button_Click(services, messageBox);
  EXPECT_EQ(files.files[kFile], "line one\r\nline two \xE9");

  messageBox.text.clear();
  Okay_Button_Click(services, messageBox);
  ASSERT_TRUE(files.files.contains(kFile));
  EXPECT_EQ(files.files[kFile], "");
}

TEST_F(MessageWindowTest, OkayResolvesTheFolderAfreshAndNeverCreatesIt) {
  messageBox.text = L"text";
  environment.variables[L"ProgramData"] = L"";
  environment.variables[L"AllUsersProfile"] = L"C:\\All Users";
  files.folders = {L"C:\\All Users\\Application Data\\Quillmoor"};
  Okay_Button_Click(services, messageBox);
  EXPECT_TRUE(files.files.contains(L"C:\\All Users\\Application Data\\Quillmoor\\UserMessage.txt"));

  files.folders.clear();
  files.files.clear();
  EXPECT_THROW(Okay_Button_Click(services, messageBox), RuntimeError);
  EXPECT_TRUE(files.files.empty());
  EXPECT_TRUE(files.folders.empty());
}

}  // namespace
}  // namespace calmora
