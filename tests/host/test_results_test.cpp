// The test bundle's reading of GoogleTest's reports: what a maintainer reads in summary.txt, and
// whether the run counts as a success, must say what the tests said.
#include "packaging/test_bundle/test_results.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace calmora::test_bundle {
namespace {

// A pass, a failure and a skip, as GoogleTest's --gtest_output=xml writes them.
constexpr std::string_view kReport = R"(<?xml version="1.0" encoding="UTF-8"?>
<testsuites tests="3" failures="1" disabled="0" errors="0" time="0" name="AllTests">
  <testsuite name="Bundle" tests="3" failures="1" disabled="0" skipped="1" errors="0" time="0">
    <testcase name="Passes" file="t.cpp" line="2" status="run" result="completed" time="0" classname="Bundle" />
    <testcase name="Fails" file="t.cpp" line="3" status="run" result="completed" time="0" classname="Bundle">
      <failure message="t.cpp:3&#x0A;Expected equality of these values:&#x0A;  1&#x0A;  2&#x0A;a &lt;b&gt; &amp; &quot;c&quot;" type=""><![CDATA[t.cpp:3
Expected equality of these values:
  1
  2
a <b> & "c"]]></failure>
    </testcase>
    <testcase name="Skips" file="t.cpp" line="4" status="run" result="skipped" time="0" classname="Bundle">
      <skipped message="t.cpp:4&#x0A;Wine keeps no owner"><![CDATA[t.cpp:4
Wine keeps no owner]]></skipped>
    </testcase>
  </testsuite>
</testsuites>
)";

TEST(TestResults, AFailureIsCountedAndToldWithItsMessageAndTheRunFails) {
  const std::vector<TestOutcome> outcomes = ReadXmlReport(kReport);
  std::vector<std::tuple<std::string, Outcome, std::string>> read;
  for (const auto& [name, outcome, reason] : outcomes) read.emplace_back(name, outcome, reason);
  const std::string failure = "t.cpp:3: Expected equality of these values:   1   2 a <b> & \"c\"";
  EXPECT_EQ(read, (decltype(read){{"Bundle.Passes", Outcome::kPassed, ""},
                                  {"Bundle.Fails", Outcome::kFailed, failure},
                                  {"Bundle.Skips", Outcome::kSkipped, "Wine keeps no owner"}}));
  EXPECT_EQ(Summary(outcomes), "1 passed, 1 failed, 1 skipped\nfailed  Bundle.Fails: " + failure +
                                   "\nskipped Bundle.Skips: Wine keeps no owner\n");
  EXPECT_FALSE(Succeeded(outcomes));
  EXPECT_TRUE(Succeeded({outcomes[0], outcomes[2]}));
  EXPECT_FALSE(Succeeded({}));  // nothing ran
}

}  // namespace
}  // namespace calmora::test_bundle
