// The package's uninstall clean-up: which Startup shortcuts go, over an in-memory PC.
#include "packaging/installer/startup_cleanup/startup_cleanup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>

namespace calmora::startup_cleanup {
namespace {

constexpr wchar_t kProgram[] = L"C:\\Program Files\\Quillmoor\\Calmora\\Calmora.exe";

std::wstring ShortcutOf(const std::wstring& profile) {
  return profile +
         L"\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\Calmora - "
         L"Display a Message from a Support Person.lnk";
}

// Shortcuts as the paths they start; paths compare ignoring case.
struct FakeMachine final : Machine {
  std::vector<std::wstring> profiles;
  std::map<std::wstring, std::wstring> shortcuts;
  std::map<std::wstring, std::uint32_t> deleteFailures;

  std::vector<std::wstring> ProfileFolders() override { return profiles; }
  std::optional<std::wstring> ShortcutTarget(const std::wstring& path) override {
    const auto found = shortcuts.find(path);
    return found == shortcuts.end() ? std::nullopt : std::optional(found->second);
  }
  bool SamePath(std::wstring_view a, std::wstring_view b) override {
    return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) {
      return std::towupper(static_cast<wint_t>(x)) == std::towupper(static_cast<wint_t>(y));
    });
  }
  std::uint32_t Delete(const std::wstring& path) override {
    if (deleteFailures.contains(path)) return deleteFailures[path];
    return shortcuts.erase(path) ? 0 : 2;
  }
};

TEST(StartupCleanupTest, CustomActionDataNamesTheProgramAndTheUsersAppData) {
  EXPECT_EQ(ParseCustomActionData(std::wstring(kProgram) + L"|C:\\Users\\Ada\\AppData\\Roaming\\"),
            (Request{kProgram, L"C:\\Users\\Ada\\AppData\\Roaming\\"}));
  EXPECT_EQ(ParseCustomActionData(kProgram), (Request{kProgram, L""}));
  EXPECT_EQ(ParseCustomActionData(L"|C:\\Users\\Ada\\AppData\\Roaming\\"), std::nullopt);
}

// A folder gone, a shortcut elsewhere, one that cannot be deleted, and the uninstalling user's
// AppData redirected to a server. (How paths compare is Win32Machine's, tested under Wine.)
TEST(StartupCleanupTest, EveryProfileIsCleanedAndOneFailureStopsNoOther) {
  FakeMachine machine;
  machine.profiles = {L"C:\\Users\\Gone", L"C:\\Users\\Ada", L"C:\\Users\\Grace",
                      L"C:\\Users\\Locked"};
  const std::wstring redirected =
      L"\\\\server\\home\\linus\\Microsoft\\Windows\\Start Menu\\"
      L"Programs\\Startup\\Calmora - Display a Message from a "
      L"Support Person.lnk";
  machine.shortcuts = {{ShortcutOf(L"C:\\Users\\Ada"), kProgram},
                       {ShortcutOf(L"C:\\Users\\Grace"), L"C:\\Tools\\Calmora.exe"},
                       {ShortcutOf(L"C:\\Users\\Locked"), kProgram},
                       {redirected, kProgram}};
  machine.deleteFailures = {{ShortcutOf(L"C:\\Users\\Locked"), 5}};

  const std::vector<FolderReport> reports =
      RemoveStartupShortcuts(machine, {kProgram, L"\\\\server\\home\\linus\\"});

  using enum FolderReport::Outcome;
  EXPECT_EQ(reports,
            (std::vector<FolderReport>{
                {ShortcutOf(L"C:\\Users\\Ada"), kRemoved, kProgram},
                {ShortcutOf(L"C:\\Users\\Grace"), kStartsSomethingElse, L"C:\\Tools\\Calmora.exe"},
                {ShortcutOf(L"C:\\Users\\Locked"), kCouldNotRemove, kProgram, 5},
                {redirected, kRemoved, kProgram}}));
  EXPECT_EQ(machine.shortcuts.size(), 2u);  // Grace's and the locked one
}

}  // namespace
}  // namespace calmora::startup_cleanup
