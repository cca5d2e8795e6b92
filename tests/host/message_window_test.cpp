// The message window's load sequence and its OKAY button, against in-memory platform services.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/message_window/form_load.h"
#include "app/message_window/okay_button.h"
#include "tests/host/fakes/fake_message_box.h"
#include "tests/host/fakes/fake_services.h"

namespace calmora {
namespace {

using ::testing::ElementsAre;
using testing::FakeMessageBox;

const std::wstring kFolder = L"C:\\ProgramData\\Quillmoor";
const std::wstring kFile = L"C:\\ProgramData\\Quillmoor\\UserMessage.txt";
const std::wstring kFontBesideProgram = L"C:\\Tools\\ELEPHNT.TTF";
const std::wstring kFontInstalled = L"C:\\Windows\\Fonts\\ELEPHNT.TTF";
const std::wstring kShortcut =
    L"C:\\Startup\\Calmora - Display a Message from a Support Person.lnk";

class MessageWindowTest : public ::testing::Test, protected testing::FakeServices {
 protected:
  MessageWindowTest() {
    environment.variables[L"ProgramData"] = L"C:\\ProgramData";
    environment.variables[L"WinDir"] = L"C:\\Windows";
    files.folders = {L"C:\\ProgramData", L"C:\\Windows\\Fonts", L"C:\\Startup"};
    shell.startupFolder = L"C:\\Startup";
  }

  FakeMessageBox messageBox;
};

TEST_F(MessageWindowTest, FirstStartMakesTheFolderAndShowsNoMessage) {
  Form_Load(services, messageBox);
  EXPECT_THAT(files.calls,
              ElementsAre(L"FolderExists " + kFolder, L"CreateFolder " + kFolder,
                          L"FileExists " + kFontBesideProgram, L"FileExists " + kFile));
  EXPECT_EQ(messageBox.setCount, 0);
  EXPECT_FALSE(files.files.contains(kFile));
}

TEST_F(MessageWindowTest, StoredMessageIsReadInOrderAndShownExactly) {
  files.folders.insert(kFolder);
  files.files[kFile] = "Hello,\r\n\r\nplease call me.  \r\n";
  Form_Load(services, messageBox);
  EXPECT_THAT(files.calls,
              ElementsAre(L"FolderExists " + kFolder, L"FileExists " + kFontBesideProgram,
                          L"FileExists " + kFile, L"OpenForReading " + kFile, L"ReadAll " + kFile,
                          L"Close " + kFile));
  EXPECT_EQ(messageBox.text, L"Hello,\r\n\r\nplease call me.  \r\n");
}

TEST_F(MessageWindowTest, FontAndOneTimeStartComeBetweenTheFolderAndTheMessage) {
  files.files[kFontBesideProgram] = "font";
  files.files[kShortcut] = "shortcut";
  registry.PutValue("SOFTWARE\\Quillmoor\\Calmora\\Settings", "Remove From Startup on Login",
                    kRegSz, testing::BytesOf(std::string("Yes\0", 4)));
  files.files[kFile] = "message";
  Form_Load(services, messageBox);
  EXPECT_THAT(
      files.calls,
      ElementsAre(L"FolderExists " + kFolder, L"CreateFolder " + kFolder,
                  L"FileExists " + kFontBesideProgram, L"FileExists " + kFontInstalled,
                  L"Copy " + kFontBesideProgram + L" -> " + kFontInstalled,
                  L"FileExists " + kShortcut, L"Delete " + kShortcut, L"FileExists " + kFile,
                  L"OpenForReading " + kFile, L"ReadAll " + kFile, L"Close " + kFile));
  // The launch acts on the setting but never changes it.
  EXPECT_EQ(
      registry.Value("SOFTWARE\\Quillmoor\\Calmora\\Settings", "Remove From Startup on Login")
          ->data,
      testing::BytesOf(std::string("Yes\0", 4)));
  EXPECT_EQ(messageBox.text, L"message");
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
  EXPECT_TRUE(registry.calls.empty());
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
