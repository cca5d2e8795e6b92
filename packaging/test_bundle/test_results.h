// What a run of the test bundle came to: each test's outcome, read from GoogleTest's XML reports
// and from the steps that run-tests.cmd records itself, and the summary a maintainer reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace calmora::test_bundle {

enum class Outcome { kPassed, kFailed, kSkipped };

struct TestOutcome {
  std::string name;  // Suite.Test
  Outcome outcome;
  std::string reason;  // why it failed or was skipped; empty when it passed
};

// The test cases of one GoogleTest XML report (--gtest_output=xml).
std::vector<TestOutcome> ReadXmlReport(std::string_view xml);

// The steps run-tests.cmd records, one a line: "passed|failed|skipped Name reason". A line of any
// other form is a failure of its own, so that a mistake in the script cannot pass for a success.
std::vector<TestOutcome> ReadSteps(std::string_view text);

// "N passed, N failed, N skipped" on the first line, then each failed and each skipped test with
// its reason, one a line.
std::string Summary(const std::vector<TestOutcome>& outcomes);

// True when the run counts as a success: something ran and nothing failed.
bool Succeeded(const std::vector<TestOutcome>& outcomes);

}  // namespace calmora::test_bundle
