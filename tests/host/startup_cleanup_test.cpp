// The package's uninstall clean-up: which Startup shortcuts go, over an in-memory PC.
#include "packaging/installer/startup_cleanup/startup_cleanup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <memory>

namespace calmora::startup_cleanup {
namespace {

constexpr wchar_t kProgram[] = L"C:\\Program Files\\Quillmoor\\Calmora\\Calmora.exe";

std::wstring ShortcutOf(const std::wstring& profile) {
  return profile +
         L"\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\Calmora - "
         L"Display a Message from a Support Person.lnk";
}

// Shortcuts by the path they are opened by; paths compare ignoring case. Only drive C is fixed.
struct FakeMachine final : Machine {
  struct File {
    std::wstring target;
    std::wstring finalPath = {};  // where a link on the way leads, when one does
    bool isLink = false;
    std::uint32_t deleteError = 0;
    std::wstring linkOnTheWay = {};  // a folder on the way that the walk refused
    bool oplocked = false;
  };
  struct Open final : OpenShortcut {
    FakeMachine& machine;
    std::wstring path;
    Open(FakeMachine& m, std::wstring p) : machine(m), path(std::move(p)) {}
    File& file() { return machine.files.at(path); }
    bool IsLink() override { return file().isLink; }
    std::wstring FinalPath() override { return file().finalPath.empty() ? path : file().finalPath; }
    std::optional<std::wstring> Target() override { return file().target; }
    std::uint32_t Delete() override {
      return file().deleteError ? file().deleteError : (machine.files.erase(path), 0);
    }
  };
  std::vector<std::wstring> profiles;
  std::map<std::wstring, File> files;
  std::vector<std::wstring> opened;

  std::vector<std::wstring> ProfileFolders() override { return profiles; }
  bool IsFixedDrive(wchar_t letter) override { return letter == L'C'; }
  OpenedShortcut Open(const std::wstring& path) override {
    opened.push_back(path);
    if (!files.contains(path)) return {};
    const File& file = files.at(path);
    if (!file.linkOnTheWay.empty()) {
      return {nullptr, OpenedShortcut::Refusal::kLinkOnTheWay, file.linkOnTheWay};
    }
    if (file.oplocked) return {nullptr, OpenedShortcut::Refusal::kOplocked};
    return {std::make_unique<struct Open>(*this, path)};
  }
  bool SamePath(std::wstring_view a, std::wstring_view b) override {
    return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) {
      return std::towupper(static_cast<wint_t>(x)) == std::towupper(static_cast<wint_t>(y));
    });
  }
};

TEST(StartupCleanupTest, CustomActionDataNamesTheProgramAndTheUsersAppData) {
  EXPECT_EQ(ParseCustomActionData(std::wstring(kProgram) + L"|C:\\Users\\Ada\\AppData\\Roaming\\"),
            (Request{kProgram, L"C:\\Users\\Ada\\AppData\\Roaming\\"}));
  EXPECT_EQ(ParseCustomActionData(kProgram), (Request{kProgram, L""}));
  EXPECT_EQ(ParseCustomActionData(L"|C:\\Users\\Ada\\AppData\\Roaming\\"), std::nullopt);
}

// A folder gone, a shortcut elsewhere, one that cannot be deleted, the users' links out of their
// profiles, one held with an oplock, folders SYSTEM must not look into, and the uninstalling
// user's AppData redirected to a server. (How paths compare is Win32Machine's, tested under Wine.)
TEST(StartupCleanupTest, EveryProfileIsCleanedAndOneFailureStopsNoOther) {
  FakeMachine machine;
  machine.profiles = {L"C:\\Users\\Gone",
                      L"C:\\Users\\Ada",
                      L"C:\\Users\\Grace",
                      L"C:\\Users\\Locked",
                      L"C:\\Users\\Mallory",
                      L"C:\\Users\\Eve",
                      L"C:\\Users\\Trudy",
                      L"C:\\Users\\Peggy",
                      L"C:\\Users\\Oscar",
                      L"Users\\Relative",
                      L"",
                      L"D:\\Users\\Roaming",
                      L"\\\\?\\UNC\\server\\home\\bob"};
  const std::wstring elsewhere = L"C:\\victim\\Calmora.lnk";
  const std::wstring share = L"\\\\server\\share\\Calmora.exe";
  machine.files = {
      {ShortcutOf(L"C:\\Users\\Ada"), {kProgram}},
      {ShortcutOf(L"C:\\Users\\Grace"), {L"C:\\Tools\\Calmora.exe"}},
      {ShortcutOf(L"C:\\Users\\Locked"), {kProgram, L"", false, 5}},
      {ShortcutOf(L"C:\\Users\\Mallory"), {kProgram, elsewhere}},
      {ShortcutOf(L"C:\\Users\\Eve"), {kProgram, L"", true}},
      {ShortcutOf(L"C:\\Users\\Trudy"), {share}},
      {ShortcutOf(L"C:\\Users\\Peggy"), {kProgram, L"", false, 0, L"C:\\Users\\Peggy"}},
      {ShortcutOf(L"C:\\Users\\Oscar"), {kProgram, L"", false, 0, L"", true}}};

  const std::vector<FolderReport> reports =
      RemoveStartupShortcuts(machine, {kProgram, L"\\\\server\\home\\linus\\"});

  using enum FolderReport::Outcome;
  const std::wstring startup = L"\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
  EXPECT_EQ(reports,
            (std::vector<FolderReport>{
                {ShortcutOf(L"C:\\Users\\Ada"), kRemoved, kProgram},
                {ShortcutOf(L"C:\\Users\\Grace"), kStartsSomethingElse, L"C:\\Tools\\Calmora.exe"},
                {ShortcutOf(L"C:\\Users\\Locked"), kCouldNotRemove, kProgram, 5},
                {ShortcutOf(L"C:\\Users\\Mallory"), kRefusedElsewhere, elsewhere},
                {ShortcutOf(L"C:\\Users\\Eve"), kRefusedLink},
                {ShortcutOf(L"C:\\Users\\Trudy"), kStartsSomethingElse, share},
                {ShortcutOf(L"C:\\Users\\Peggy"), kRefusedLinkOnTheWay, L"C:\\Users\\Peggy"},
                {ShortcutOf(L"C:\\Users\\Oscar"), kSkippedOplocked},
                {L"Users\\Relative\\AppData\\Roaming" + startup, kSkippedFolder},
                {L"AppData\\Roaming" + startup, kSkippedFolder},
                {L"D:\\Users\\Roaming\\AppData\\Roaming" + startup, kSkippedFolder},
                {L"\\\\?\\UNC\\server\\home\\bob\\AppData\\Roaming" + startup, kSkippedFolder},
                {L"\\\\server\\home\\linus" + startup, kSkippedFolder}}));
  EXPECT_EQ(machine.files.size(), 7u);  // all but Ada's
  // SYSTEM opened nothing but the profiles' shortcuts on the fixed drive: no share, no target.
  EXPECT_TRUE(std::ranges::all_of(machine.opened, [](const std::wstring& path) {
    return path.starts_with(L"C:\\Users\\") && path.ends_with(L".lnk");
  }));
}

// What the log says, read by a technician who trusts it: each refusal in its own words, and a
// line whose paths a user chose formatted by the installer into exactly that text, on one line.
TEST(StartupCleanupTest, LogLinesSayExactlyWhatTheyName) {
  using enum FolderReport::Outcome;
  const std::wstring shortcut = L"C:\\Users\\Mallory\\x.lnk";
  EXPECT_NE(Describe({shortcut, kRefusedLinkOnTheWay, L"C:\\Users\\Mallory"})
                .find(L": a link on the way, "),
            std::wstring::npos);
  EXPECT_NE(Describe({shortcut, kRefusedElsewhere, L"C:\\victim\\x.lnk"})
                .find(L": its final path is elsewhere, "),
            std::wstring::npos);
  EXPECT_NE(Describe({shortcut, kSkippedOplocked}).find(L"oplock"), std::wstring::npos);

  const std::wstring longest(kLongestLogLine, L'a');
  const std::wstring cut =
      longest.substr(0, kLongestLogLine - kCutMark.size()) + std::wstring(kCutMark);
  const struct {
    std::wstring line;
    std::wstring shown;
  } rows[] = {
      {L"C:\\Tools\\[ProductCode]\\{1}\\Calmora.exe",
       L"C:\\Tools\\[\\[]ProductCode[\\]]\\[\\{]1[\\}]\\Calmora.exe"},
      {L"one\r\nMSI (s) (2C:30): two\tthree", L"one\\r\\nMSI (s) (2C:30): two\\tthree"},
      {std::wstring(L"a\0b\x1B\x7F\x85", 6) + L"\u00e4", L"a\\x00b\\x1B\\x7F\\x85\u00e4"},
      {longest, longest},
      {longest + L"b", cut},
      // An escape is never cut in half, nor a pair of surrogates.
      {longest.substr(0, kLongestLogLine - kCutMark.size() - 1) + L"[" + longest,
       cut.substr(0, kLongestLogLine - kCutMark.size() - 1) + std::wstring(kCutMark)},
      {longest.substr(0, kLongestLogLine - kCutMark.size() - 1) + L"\xD83D\xDE00" + longest,
       cut.substr(0, kLongestLogLine - kCutMark.size() - 1) + std::wstring(kCutMark)},
  };
  for (const auto& row : rows) EXPECT_EQ(LogTemplate(row.line), row.shown) << row.line.size();
}

}  // namespace
}  // namespace calmora::startup_cleanup
