// The message window's load sequence, its OKAY button and its colours, against in-memory platform
// services.
#include <gtest/gtest.h>

#include "app/message_window/form_load.h"
#include "app/message_window/message_window_colors.h"
#include "app/message_window/okay_button.h"
#include "tests/host/fakes/fake_message_edit_box.h"
#include "tests/host/fakes/fake_services.h"

namespace calmora {
namespace {

using testing::FakeMessageEditBox;

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

  void StoreMessage(const std::string& bytes) {
    files.folders.insert(kFolder);
    files.files[kFile] = bytes;
  }

  FakeMessageEditBox messageBox;
};

TEST_F(MessageWindowTest, FirstStartMakesTheFolderAndShowsNoMessage) {
  Form_Load(services, messageBox);
  EXPECT_TRUE(files.folders.contains(kFolder));
  EXPECT_FALSE(files.files.contains(kFile));
  EXPECT_EQ(messageBox.setCount, 0);
}

TEST_F(MessageWindowTest, AStoredMessageIsShownExactlyAndTheFileIsClosed) {
  StoreMessage("Hello,\r\n\r\nplease call me.  \r\n");
  Form_Load(services, messageBox);
  EXPECT_EQ(messageBox.text, L"Hello,\r\n\r\nplease call me.  \r\n");
  EXPECT_EQ(files.openReaders, 0);
}

TEST_F(MessageWindowTest, TheFontAndTheOneTimeStartAreDoneBeforeTheMessageShows) {
  files.files[kFontBesideProgram] = "font";
  files.files[kShortcut] = "shortcut";
  registry.PutValue("SOFTWARE\\Quillmoor\\Calmora\\Settings", "Remove From Startup on Login",
                    kRegSz, testing::BytesOf(std::string("Yes\0", 4)));
  files.files[kFile] = "message";
  Form_Load(services, messageBox);
  EXPECT_EQ(files.files[kFontInstalled], "font");
  EXPECT_FALSE(files.files.contains(kShortcut));
  // The launch acts on the setting but never changes it.
  EXPECT_EQ(
      registry.Value("SOFTWARE\\Quillmoor\\Calmora\\Settings", "Remove From Startup on Login")
          ->data,
      testing::BytesOf(std::string("Yes\0", 4)));
  EXPECT_EQ(messageBox.text, L"message");
}

TEST_F(MessageWindowTest, OnlyReadingAndShowingTheTextFailQuietly) {
  StoreMessage("text");
  messageBox.refuseText = true;
  EXPECT_NO_THROW(Form_Load(services, messageBox));
  EXPECT_EQ(messageBox.text, L"");
  EXPECT_EQ(files.openReaders, 0);

  messageBox.refuseText = false;
  files.failingOperations["ReadAll"] = 30;
  EXPECT_NO_THROW(Form_Load(services, messageBox));
  EXPECT_EQ(messageBox.text, L"");

  files.failingOperations.clear();
  files.files[kFile] = "";  // an empty file has no text to read
  EXPECT_NO_THROW(Form_Load(services, messageBox));
  EXPECT_EQ(messageBox.text, L"");
  EXPECT_EQ(files.openReaders, 0);
}

TEST_F(MessageWindowTest, FailuresOutsideTheReadEndTheLoad) {
  StoreMessage("text");
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

TEST_F(MessageWindowTest, AFolderThatCannotBeMadeEndsTheLoadBeforeAnythingElse) {
  files.folders.clear();
  files.files[kFontBesideProgram] = "font";
  EXPECT_THROW(Form_Load(services, messageBox), RuntimeError);
  EXPECT_FALSE(files.files.contains(kFontInstalled));
  EXPECT_TRUE(registry.calls.empty());
}

struct OkayRow {
  const char* what;
  std::optional<std::string> fileAtStart;  // nothing: no message file
  bool readFails;
  std::optional<std::wstring> typed;  // nothing: the box as the load left it
  std::optional<std::string> fileAfter;
  bool written;
  std::optional<std::string> arrives = {};  // written by another program after the start
};

TEST_F(MessageWindowTest, OkayStoresTheBoxOnlyWhenItDiffersFromWhatWasLoaded) {
  const std::string utf16 = std::string("\xFF\xFEZ\0o\0\xEB\0", 8);
  const OkayRow rows[] = {
      {"no file, untouched box", std::nullopt, false, std::nullopt, "", true},
      {"no file, typed", std::nullopt, false, L"Back at 3.\r\nPat", "Back at 3.\r\nPat", true},
      {"no file, one arrives", std::nullopt, false, std::nullopt, "From IT", false, "From IT"},
      {"no file, one arrives, typed", std::nullopt, false, L"Mine", "Mine", true, "From IT"},
      {"unchanged", "Caf\xE9\r\n", false, std::nullopt, "Caf\xE9\r\n", false},
      {"typed over", "old", false, L"new \xE9", "new \xE9", true},
      {"emptied", "old", false, L"", "", true},
      {"unreadable, untouched", "\xFF\xFE\x41", true, std::nullopt, "\xFF\xFE\x41", false},
      {"unreadable, typed", "old", true, L"new", "new", true},
      {"edit keeps UTF-16", utf16, false, L"Zo\xEB!", std::string("\xFF\xFEZ\0o\0\xEB\0!\0", 10),
       true},
      // A and \x141 differ only in the high byte of their UTF-16 unit.
      {"same length, one unit's high byte changed", "Ada", false,
       L"\x141"
       L"da",
       "\xEF\xBB\xBF\xC5\x81"
       "da",
       true},
  };
  for (const OkayRow& row : rows) {
    SCOPED_TRACE(row.what);
    files.files.clear();
    files.writes.clear();
    files.failingOperations.clear();
    messageBox.text.clear();
    if (row.fileAtStart) StoreMessage(*row.fileAtStart);
    if (row.readFails) files.failingOperations["ReadAll"] = 1392;

    const LoadedMessage loaded = Form_Load(services, messageBox);
    if (row.arrives) files.files[kFile] = *row.arrives;
    if (row.typed) messageBox.text = *row.typed;
    Okay_Button_Click(services, messageBox, loaded);

    EXPECT_EQ(files.files.contains(kFile) ? std::optional(files.files[kFile]) : std::nullopt,
              row.fileAfter);
    EXPECT_EQ(files.writes[kFile] > 0, row.written);
  }
}

TEST_F(MessageWindowTest, AnUnchangedMessageThatMayNotBeWrittenIsNoError) {
  StoreMessage("From your administrator");
  files.failingOperations["ReplaceContents"] = 5;  // access denied
  const LoadedMessage loaded = Form_Load(services, messageBox);
  EXPECT_NO_THROW(Okay_Button_Click(services, messageBox, loaded));
  messageBox.text += L"!";
  EXPECT_THROW(Okay_Button_Click(services, messageBox, loaded), RuntimeError);
  EXPECT_EQ(files.files[kFile], "From your administrator");
}

TEST_F(MessageWindowTest, OkayResolvesTheFolderAfreshAndNeverCreatesIt) {
  messageBox.text = L"text";
  environment.variables[L"ProgramData"] = L"";
  environment.variables[L"AllUsersProfile"] = L"C:\\All Users";
  files.folders = {L"C:\\All Users\\Application Data\\Quillmoor"};
  Okay_Button_Click(services, messageBox, LoadedMessage::NoFile());
  EXPECT_TRUE(files.files.contains(L"C:\\All Users\\Application Data\\Quillmoor\\UserMessage.txt"));

  files.folders.clear();
  files.files.clear();
  EXPECT_THROW(Okay_Button_Click(services, messageBox, LoadedMessage::NoFile()), RuntimeError);
  EXPECT_TRUE(files.files.empty());
  EXPECT_TRUE(files.folders.empty());
}

// Without high contrast the design's colours, whatever the system's; with it, the theme's, flat.
TEST(MessageWindowColors, TheDesignsWithoutHighContrastAndTheThemesWithIt) {
  const Color red = Rgb(192, 0, 0), white = Rgb(255, 255, 255), black = Rgb(0, 0, 0);
  const Color rust = Rgb(165, 42, 0), grey = Rgb(64, 64, 64), yellow = Rgb(255, 255, 0);
  const Color navy = Rgb(0, 0, 159);
  const struct {
    bool highContrast;
    SystemColors system;  // window, window text, hot light
    MessageWindowColors chosen;
  } rows[] = {
      {false, {black, white, yellow}, {red, {white, red, rust}, {white, red, black}, grey, white}},
      {true,  // High Contrast Black
       {black, white, yellow},
       {black, {yellow, black, std::nullopt}, {white, black, std::nullopt}, black, white}},
      {true,  // High Contrast White
       {white, black, navy},
       {white, {navy, white, std::nullopt}, {black, white, std::nullopt}, white, black}},
  };
  for (const auto& [highContrast, system, chosen] : rows) {
    EXPECT_TRUE(ChooseMessageWindowColors(highContrast, system) == chosen)
        << "high contrast " << highContrast << ", window " << system.window.bgr;
  }
}

}  // namespace
}  // namespace calmora
