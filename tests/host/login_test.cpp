// The login companion's decision: whether a user is shown the message at this login, by whom, and
// what is recorded for them.
#include "login/new_message_at_login.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/host/fakes/fake_environment.h"
#include "tests/host/fakes/fake_file_system.h"
#include "tests/host/fakes/fake_program_location.h"
#include "tests/host/fakes/fake_registry_api.h"
#include "tests/host/fakes/fake_shell.h"
#include "tests/host/fakes/latin1_code_page.h"

namespace calmora {
namespace {

// A digest that tells every short text of a test from every other: its bytes, zero-padded.
class FakeSha256 final : public Sha256 {
 public:
  Sha256Digest Digest(std::string_view bytes) const override {
    Sha256Digest digest{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), digest.size()), digest.begin());
    return digest;
  }
};

// Hex of the fake digest, written out independently of the program's formatting.
std::string FingerprintOf(std::string_view text) {
  std::string hex;
  for (std::size_t i = 0; i < 32; ++i) {
    const unsigned byte = i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
    hex += "0123456789abcdef"[byte / 16];
    hex += "0123456789abcdef"[byte % 16];
  }
  return hex;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

struct StartedProgram {
  std::wstring path;
  std::wstring workingFolder;
  bool operator==(const StartedProgram&) const = default;
};

class FakePrograms final : public Programs {
 public:
  std::set<std::wstring> running;
  bool startFails = false;
  std::vector<StartedProgram> started;

  bool RunsInThisSession(const std::wstring& path) const override { return running.contains(path); }
  bool Start(const std::wstring& path, const std::wstring& workingFolder) override {
    if (startFails) return false;
    started.push_back({path, workingFolder});
    return true;
  }
};

constexpr const wchar_t* kMessageFile = L"C:\\ProgramData\\Quillmoor\\UserMessage.txt";
constexpr const wchar_t* kCalmora = L"C:\\Program Files\\Quillmoor\\Calmora\\Calmora.exe";
constexpr const char* kUserKey = "SOFTWARE\\Quillmoor\\Calmora";
constexpr const char* kMonday = "Printer moves on Monday.";

struct Row {
  const char* what;
  // The message file's bytes; none for no file.
  std::optional<std::string> message;
  // The user's "Last Message Shown" before, as REG_SZ text; none for no value.
  std::optional<std::string> stored;
  bool shortcutInStartup = false;
  bool calmoraRuns = false;
  bool startFails = false;
  bool messageUnreadable = false;
  // Outcomes: whether Calmora.exe was started, and the value stored after.
  bool expectStarted = false;
  std::optional<std::string> expectStored;
};

TEST(NewMessageAtLogin, StartsCalmoraOnceForEachNewMessageAndRecordsWhatWasShown) {
  const std::string monday = FingerprintOf(kMonday);
  const std::string utf16Blank("\xFF\xFE \0\t\0\r\0\n\0\xA0\0", 12);
  const Row rows[] = {
      {"a new message", kMonday, std::nullopt, false, false, false, false, true, monday},
      {"the same message", kMonday, monday, false, false, false, false, false, monday},
      {"the same, in capitals as Get-FileHash writes it", kMonday, Upper(monday), false, false,
       false, false, false, Upper(monday)},
      {"a changed message", "Printer moves on Tuesday.", monday, false, false, false, false, true,
       FingerprintOf("Printer moves on Tuesday.")},
      {"no message file", std::nullopt, std::nullopt, false, false, false, false, false,
       std::nullopt},
      {"an empty file", "", "old", false, false, false, false, false, "old"},
      {"only white space", " \t\r\n  ", std::nullopt, false, false, false, false, false,
       std::nullopt},
      {"only white space, UTF-16 with its mark", utf16Blank, std::nullopt, false, false, false,
       false, false, std::nullopt},
      {"a mark and nothing else", "\xEF\xBB\xBF", std::nullopt, false, false, false, false, false,
       std::nullopt},
      {"a NUL shows as a character", std::string(1, '\0'), std::nullopt, false, false, false, false,
       true, FingerprintOf(std::string(1, '\0'))},
      {"an unreadable file", kMonday, std::nullopt, false, false, false, true, false, std::nullopt},
      {"Calmora's shortcut starts it anyway", kMonday, std::nullopt, true, false, false, false,
       false, monday},
      {"Calmora already runs", kMonday, "old", false, true, false, false, false, monday},
      {"the start fails", kMonday, "old", false, false, true, false, false, "old"},
      {"a value that is no fingerprint", kMonday, "shown", false, false, false, false, true,
       monday},
      {"a fingerprint one digit short", kMonday, monday.substr(1), false, false, false, false, true,
       monday},
      {"a fingerprint's length but not hex", kMonday, std::string(64, 'g'), false, false, false,
       false, true, monday},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    testing::FakeEnvironment environment;
    environment.variables[L"ProgramData"] = L"C:\\ProgramData";
    testing::FakeFileSystem files;
    if (row.message) files.files[kMessageFile] = *row.message;
    if (row.messageUnreadable) files.failingOperations["ReadAll"] = 5;
    testing::Latin1CodePage ansi;
    testing::FakeProgramLocation program;
    program.folder = L"C:\\Program Files\\Quillmoor\\Calmora";
    program.fileName = L"CalmoraAtLogin";
    testing::FakeRegistryApi registry;
    if (row.stored) {
      std::string data = *row.stored;
      data += '\0';
      registry.PutValue(kUserKey, "Last Message Shown", kRegSz, testing::BytesOf(data));
    }
    testing::FakeShell shell(files);
    if (row.shortcutInStartup) {
      files
          .files[shell.startupFolder + L"\\Calmora - Display a Message from a Support Person.lnk"] =
          "shortcut";
    }
    const FakeSha256 sha256;
    FakePrograms programs;
    if (row.calmoraRuns) programs.running.insert(kCalmora);
    programs.startFails = row.startFails;

    ShowNewMessageAtLogin({environment, files, ansi, program, registry, shell, sha256, programs});

    const std::vector<StartedProgram> expectedStarts =
        row.expectStarted ? std::vector<StartedProgram>{{kCalmora, program.folder}}
                          : std::vector<StartedProgram>{};
    EXPECT_EQ(programs.started, expectedStarts);
    std::optional<testing::StoredValue> expectedValue;
    if (row.expectStored) {
      std::string data = *row.expectStored;
      data += '\0';
      expectedValue = testing::StoredValue{kRegSz, testing::BytesOf(data)};
    }
    EXPECT_EQ(registry.Value(kUserKey, "Last Message Shown"), expectedValue);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    EXPECT_EQ(files.files.size(), (row.message ? 1u : 0u) + (row.shortcutInStartup ? 1u : 0u))
        << "nothing but the one value is written";
  }
}

}  // namespace
}  // namespace calmora
