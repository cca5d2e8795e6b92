// The test bundle's helper for run-tests.cmd, which cmd alone cannot do well:
//   test_report elevated          exits 0 when this process holds an elevated token, 1 when not
//   test_report summarise FOLDER  counts FOLDER's *.xml reports and steps.txt, writes the summary
//                                 to FOLDER\summary.txt and the console, and exits 1 when
//                                 anything failed or nothing ran
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "packaging/test_bundle/test_results.h"
#include "platform/win32/unique_handle.h"

namespace {

using calmora::test_bundle::TestOutcome;

// What TokenElevation says, which is what a standard user, a filtered administrator, an elevated
// administrator and SYSTEM differ in; not membership of Administrators, which a filtered token has.
bool Elevated() {
  calmora::win32::UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

bool ReadFile(const std::filesystem::path& path, std::string& bytes) {
  std::ifstream file(path, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad() && file.is_open();
}

int Summarise(const std::filesystem::path& folder) {
  std::vector<TestOutcome> outcomes;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() != L".xml") continue;
    std::string xml;
    if (!ReadFile(entry.path(), xml)) {
      outcomes.push_back({entry.path().filename().string(), calmora::test_bundle::Outcome::kFailed,
                          "cannot be read"});
      continue;
    }
    const auto tests = calmora::test_bundle::ReadXmlReport(xml);
    outcomes.insert(outcomes.end(), tests.begin(), tests.end());
  }
  if (error) {
    std::fprintf(stderr, "test_report: cannot read %ls: %s\n", folder.c_str(),
                 error.message().c_str());
    return 2;
  }
  std::string steps;
  if (ReadFile(folder / L"steps.txt", steps)) {
    const auto recorded = calmora::test_bundle::ReadSteps(steps);
    outcomes.insert(outcomes.end(), recorded.begin(), recorded.end());
  }
  const std::string summary = calmora::test_bundle::Summary(outcomes);
  std::ofstream(folder / L"summary.txt", std::ios::binary) << summary;
  std::fputs(summary.c_str(), stdout);
  return calmora::test_bundle::Succeeded(outcomes) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The reasons are UTF-8, as the reports hold them.
  SetConsoleOutputCP(CP_UTF8);
  if (argc == 2 && std::wstring(argv[1]) == L"elevated") return Elevated() ? 0 : 1;
  if (argc == 3 && std::wstring(argv[1]) == L"summarise") return Summarise(argv[2]);
  std::fputs("usage: test_report elevated | test_report summarise FOLDER\n", stderr);
  return 2;
}
