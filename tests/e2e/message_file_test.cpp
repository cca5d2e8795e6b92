// The message file as other tools write it and as real failures leave it, through the real
// Calmora.exe: its encodings, NUL bytes, a message this user may not change, and killed saves.
#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>

#include <atomic>
#include <regex>
#include <thread>

#include "tests/e2e/driver/calmora_process.h"
#include "tests/e2e/driver/machine_state.h"
#include "tests/e2e/driver/screenshot.h"
#include "tests/e2e/driver/user_input.h"
#include "tests/support/folder_link.h"
#include "tests/support/scratch_folder.h"

namespace calmora::e2e {
namespace {

class MessageFile : public ::testing::Test {
 protected:
  // Types `text` at the end of the message box, as a person adds to a message.
  static void AddToMessage(HWND window, std::wstring_view text) {
    Click(MessageEditBoxOf(window));
    PressChord({VK_CONTROL, VK_END});
    TypeText(text);
  }
  // Starts Calmora on the stored message and returns what its box shows; OKAY with the box as
  // it was, or after `typed` was added, and waits for the end.
  std::wstring ShowAndOkay(std::wstring_view typed = {}, const wchar_t* screenshot = nullptr) {
    CalmoraProcess calmora = machine.Start();
    const HWND window = calmora.MessageWindow();
    if (!window) return L"<no window>";
    const std::wstring shown = WindowText(MessageEditBoxOf(window));
    if (screenshot) SaveScreenshot(window, screenshot);
    if (!typed.empty()) AddToMessage(window, typed);
    Click(OkayButtonOf(window));
    EXPECT_EQ(calmora.WaitForExit(), 0u);
    return shown;
  }

  MachineState machine;
};

struct EncodedFile {
  const char* tool;
  std::string bytes;
  std::wstring shown;
  std::string bytesAfterAddingABang;
};

class MessageFileEncodings : public MessageFile,
                             public ::testing::WithParamInterface<EncodedFile> {};

TEST_P(MessageFileEncodings, AreShownExactlyKeptByAnUnchangedOkayAndKeptWhenEdited) {
  const EncodedFile& file = GetParam();
  machine.StoreMessage(file.bytes);
  const FILETIME written = machine.MessageWriteTime();
  EXPECT_EQ(ShowAndOkay(), file.shown);
  EXPECT_EQ(machine.StoredMessage(), file.bytes);
  const FILETIME unchanged = machine.MessageWriteTime();
  EXPECT_EQ(CompareFileTime(&written, &unchanged), 0) << "the file was written";

  ShowAndOkay(L"!");
  EXPECT_EQ(machine.StoredMessage(), file.bytesAfterAddingABang);
}

std::string Utf16LittleEndian(std::wstring_view text) {
  std::string bytes = "\xFF\xFE";
  for (const wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

const std::wstring kPrinterReady = L"Zo\xEB, your printer is ready.\r\n\x2014 Pat";

INSTANTIATE_TEST_SUITE_P(
    AsOtherToolsWriteThem, MessageFileEncodings,
    ::testing::Values(
        // Windows PowerShell 5.1's Out-File and ">".
        EncodedFile{"PowerShell", Utf16LittleEndian(kPrinterReady), kPrinterReady,
                    Utf16LittleEndian(kPrinterReady + L"!")},
        // Notepad's "UTF-8 with BOM".
        EncodedFile{"Notepad", "\xEF\xBB\xBFZo\xC3\xAB, your printer is ready.\r\n\xE2\x80\x94 Pat",
                    kPrinterReady,
                    "\xEF\xBB\xBFZo\xC3\xAB, your printer is ready.\r\n\xE2\x80\x94 Pat!"},
        // A script run on Linux: LF alone ends its lines, and they stay so.
        EncodedFile{"UnixScript", "Printer ready.\nPat\n", L"Printer ready.\nPat\n",
                    "Printer ready.\nPat\n!"}),
    [](const ::testing::TestParamInfo<EncodedFile>& row) { return std::string(row.param.tool); });

TEST_F(MessageFile, TypedTextIsSavedAndShownExactlyAtTheNextStart) {
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);
  AddToMessage(window, L"\x141ukasz \x2713 \x65E5\x672C");
  Click(OkayButtonOf(window));
  ASSERT_EQ(calmora.WaitForExit(), 0u);
  // Not a look-alike, not "?": the file becomes UTF-8 with a byte-order mark.
  EXPECT_EQ(machine.StoredMessage(),
            "\xEF\xBB\xBF\xC5\x81ukasz \xE2\x9C\x93 \xE6\x97\xA5\xE6\x9C\xAC");
  EXPECT_EQ(ShowAndOkay({}, L"message-window-unicode"), L"\x141ukasz \x2713 \x65E5\x672C");

  // Nor ANSI bytes that the next start takes for a byte-order mark.
  DeleteFileW(machine.MessageFile().c_str());
  ShowAndOkay(L"\xFF\xFEHi there");
  EXPECT_EQ(machine.StoredMessage(), "\xEF\xBB\xBF\xC3\xBF\xC3\xBEHi there");
  EXPECT_EQ(ShowAndOkay(), L"\xFF\xFEHi there");
}

TEST_F(MessageFile, ANulByteShowsAsAStandInAndTheFileIsKeptWhole) {
  const std::string bytes("Before\0after, and the rest.", 27);
  machine.StoreMessage(bytes);
  EXPECT_EQ(ShowAndOkay({}, L"message-window-nul"),
            L"Before\x2400"
            L"after, and the rest.");
  EXPECT_EQ(machine.StoredMessage(), bytes);
}

TEST_F(MessageFile, AMessageThisUserMayNotChangeCanStillBeAcknowledged) {
  machine.StoreMessage("Left by your administrator.");
  SetFileAttributesW(machine.MessageFile().c_str(), FILE_ATTRIBUTE_READONLY);
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);
  Click(OkayButtonOf(window));
  EXPECT_EQ(calmora.WaitForExit(), 0u) << "no run-time error";
  SetFileAttributesW(machine.MessageFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(machine.StoredMessage(), "Left by your administrator.");
}

// The owner of the message folder (whoever made it, often a standard user) may swap it for a link
// to any folder, and an elevated save must not write through it: Wine's token is elevated.
TEST_F(MessageFile, ASaveThroughALinkedMessageFolderIsRefusedAndWritesNothing) {
  const testing::ScratchFolder elsewhere;
  const std::string theirs = "Left where the link points.\r\n";
  elsewhere.Write(L"UserMessage.txt", theirs);
  if (!testing::MakeFolderLink(machine.MessageFolder(), elsewhere.Path())) {
    GTEST_SKIP() << "this account may not make a folder link";
  }
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.MessageWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(MessageEditBoxOf(window)), L"Left where the link points.\r\n")
      << "a message is still shown through the link";
  AddToMessage(window, L"Overwritten!");
  Click(OkayButtonOf(window));
  const HWND report = calmora.WaitForWindow(L"#32770");
  EXPECT_NE(report, nullptr) << "the save went through without a word";
  if (report) {
    EXPECT_NE(MessageBoxText(report).find(machine.MessageFolder()), std::wstring::npos)
        << MessageBoxText(report);
    SaveScreenshot(report, L"message-folder-link-refused");
    PressKey(VK_RETURN);
  }
  EXPECT_EQ(calmora.WaitForExit(), 1u) << "ended by a run-time error";
  EXPECT_TRUE(elsewhere.Read(L"UserMessage.txt") == theirs) << "the file behind the link changed";
  EXPECT_EQ(elsewhere.Names(), std::vector<std::wstring>{L"UserMessage.txt"});
  EXPECT_TRUE(testing::IsFolderLink(machine.MessageFolder()));
  testing::RemoveFolderLink(machine.MessageFolder());
}

// Watches the message folder from another thread while a save runs: whether the message file
// was ever missing, and the save's temporary file, at whose appearance it can end the program.
class SaveWatcher {
 public:
  SaveWatcher(const MachineState& machine, HANDLE killOnTemporary)
      : thread_([this, &machine, killOnTemporary] {
          while (!stop_) {
            if (!machine.MessageFileExists()) missing_ = true;
            if (killOnTemporary && machine.MessageFolderNames().size() > 1) {
              TerminateProcess(killOnTemporary, 99);
              return;
            }
          }
        }) {}
  ~SaveWatcher() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool MessageWentMissing() const { return missing_; }

 private:
  std::atomic<bool> stop_ = false;
  std::atomic<bool> missing_ = false;
  std::thread thread_;
};

// Parts of a file's security descriptor as text: its owner, or who may do what with it.
std::wstring SecurityText(const std::wstring& path, SECURITY_INFORMATION parts) {
  alignas(void*) char descriptor[4096]{};
  DWORD size = 0;
  wchar_t* text = nullptr;
  GetFileSecurityW(path.c_str(), parts, descriptor, sizeof descriptor, &size);
  ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, parts, &text,
                                                       nullptr);
  const win32::UniqueLocalMemory freed(text);
  return text ? text : L"";
}

TEST_F(MessageFile, AKilledSaveNeverLosesTheMessageAndTheNextSaveClearsWhatItLeft) {
  std::string message;
  for (int line = 0; message.size() < 1024 * 1024; ++line) {
    message += "Line " + std::to_string(line) + ": the printer on the second floor is ready.\r\n";
  }
  machine.StoreMessage(message);
  // Readable by its owner alone, as a technician may have left it.
  const std::wstring owner = SecurityText(machine.MessageFile(), OWNER_SECURITY_INFORMATION);
  PSECURITY_DESCRIPTOR ownerOnly = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
      (L"D:P(A;;FA;;;" + owner.substr(2) + L")").c_str(), SDDL_REVISION_1, &ownerOnly, nullptr));
  const win32::UniqueLocalMemory freed(ownerOnly);
  ASSERT_TRUE(
      SetFileSecurityW(machine.MessageFile().c_str(), DACL_SECURITY_INFORMATION, ownerOnly));
  {
    CalmoraProcess calmora = machine.Start();
    const HWND window = calmora.WaitForWindow(L"CalmoraForm", 60s);
    ASSERT_NE(window, nullptr);
    AddToMessage(window, L"!");
    // Held open by another program for a moment, the old file keeps the save waiting with its
    // complete temporary file beside it: the program is killed there.
    const HANDLE held =
        CreateFileW(machine.MessageFile().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, calmora.Id());
    SaveWatcher watcher(machine, process);
    SendMessageW(OkayButtonOf(window), BM_CLICK, 0, 0);
    EXPECT_EQ(calmora.WaitForExit(), 99u) << "killed while saving";
    watcher.Stop();
    CloseHandle(process);
    CloseHandle(held);
    EXPECT_FALSE(watcher.MessageWentMissing());
  }
  EXPECT_TRUE(machine.StoredMessage() == message) << "the old message is whole";
  ASSERT_EQ(machine.MessageFolderNames().size(), 2u) << "the killed save's file is left";
  // Wherever the save was killed, its file lets in no one but the owner (and SYSTEM, which Wine
  // names on every file whose access list it works out from the file's mode).
  const std::wstring left =
      SecurityText(machine.MessageFolder() + L"\\" + machine.MessageFolderNames().back(),
                   DACL_SECURITY_INFORMATION);
  const std::wregex ownersAlone(L"D:(P|AI|AR)*(\\(A;\\w*;\\w*;;;(SY|" + owner.substr(2) +
                                L")\\))+");
  EXPECT_TRUE(std::regex_match(left, ownersAlone)) << left;

  // The next save: at no instant is the message file missing, and nothing else stays beside it.
  CalmoraProcess calmora = machine.Start();
  const HWND window = calmora.WaitForWindow(L"CalmoraForm", 60s);
  ASSERT_NE(window, nullptr);
  AddToMessage(window, L"?");
  SaveWatcher watcher(machine, nullptr);
  Click(OkayButtonOf(window));
  EXPECT_EQ(calmora.WaitForExit(60s), 0u);
  watcher.Stop();
  EXPECT_FALSE(watcher.MessageWentMissing());
  EXPECT_TRUE(machine.StoredMessage() == message + "?") << "the new message is whole";
  EXPECT_EQ(machine.MessageFolderNames(), std::vector<std::wstring>{L"UserMessage.txt"});
}

}  // namespace
}  // namespace calmora::e2e
