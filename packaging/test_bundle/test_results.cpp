#include "packaging/test_bundle/test_results.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <utility>

namespace calmora::test_bundle {
namespace {

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// An attribute's text with XML's character references resolved.
std::string Unescaped(std::string_view text) {
  std::string out;
  while (!text.empty()) {
    const std::size_t amp = text.find('&');
    const std::size_t semicolon = text.find(';', amp);
    out += text.substr(0, amp);
    if (amp == std::string_view::npos) break;
    if (semicolon == std::string_view::npos) {
      out += text.substr(amp);
      break;
    }
    const std::string entity(text.substr(amp + 1, semicolon - amp - 1));
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
    const auto named = std::find_if(std::begin(kNamed), std::end(kNamed),
                                    [&](const auto& pair) { return pair.first == entity; });
    if (named != std::end(kNamed)) {
      out += named->second;
    } else if (entity.size() > 1 && entity[0] == '#') {
      const bool hex = entity[1] == 'x' || entity[1] == 'X';
      const unsigned long c = std::strtoul(entity.c_str() + (hex ? 2 : 1), nullptr, hex ? 16 : 10);
      AppendUtf8(out, c <= 0x10FFFF ? static_cast<std::uint32_t>(c) : 0xFFFD);
    } else {
      out += '&' + entity + ';';
    }
    text.remove_prefix(semicolon + 1);
  }
  return out;
}

// The value of `name` among a tag's attributes, unescaped; empty when the tag has none.
std::string Attribute(std::string_view tag, std::string_view name) {
  std::string key = " ";
  key.append(name).append("=\"");
  const std::size_t start = tag.find(key);
  if (start == std::string_view::npos) return {};
  const std::size_t begin = start + key.size();
  return Unescaped(tag.substr(begin, tag.find('"', begin) - begin));
}

// GoogleTest's message is "file:line", a line break and what went wrong or why it skipped, which
// a skip begins with a line "Skipped". One line of it: the location leads a failure, a skip is
// read by its reason alone.
std::string Reason(const std::string& message, Outcome outcome) {
  std::string text = message;
  std::string location;
  if (const std::size_t lineBreak = text.find('\n'); lineBreak != std::string::npos) {
    location = text.substr(0, lineBreak);
    text.erase(0, lineBreak + 1);
  }
  if (outcome == Outcome::kSkipped && text.starts_with("Skipped")) text.erase(0, 7);
  std::replace(text.begin(), text.end(), '\n', ' ');
  text.erase(0, text.find_first_not_of(' '));
  if (outcome == Outcome::kFailed && !location.empty()) text = location + ": " + text;
  return text.empty() ? "no reason given" : text;
}

}  // namespace

std::vector<TestOutcome> ReadXmlReport(std::string_view xml) {
  std::vector<TestOutcome> outcomes;
  for (std::size_t at = xml.find("<testcase "); at != std::string_view::npos;
       at = xml.find("<testcase ", at + 1)) {
    // Attribute values hold no '>': GoogleTest escapes it.
    const std::size_t tagEnd = xml.find('>', at);
    if (tagEnd == std::string_view::npos) break;
    const std::string_view tag = xml.substr(at, tagEnd - at);
    std::string_view body;
    if (!tag.ends_with("/")) {
      const std::size_t close = xml.find("</testcase>", tagEnd);
      body = xml.substr(tagEnd, close == std::string_view::npos ? close : close - tagEnd);
    }
    TestOutcome test{
        Attribute(tag, "classname") + "." + Attribute(tag, "name"), Outcome::kPassed, {}};
    const std::size_t failure = body.find("<failure ");
    const std::size_t skip = body.find("<skipped ");
    if (failure != std::string_view::npos) {
      test.outcome = Outcome::kFailed;
      test.reason = Reason(Attribute(body.substr(failure), "message"), test.outcome);
    } else if (skip != std::string_view::npos || Attribute(tag, "result") == "skipped") {
      test.outcome = Outcome::kSkipped;
      const std::string message =
          skip == std::string_view::npos ? "" : Attribute(body.substr(skip), "message");
      test.reason = Reason(message, test.outcome);
    } else if (Attribute(tag, "status") == "notrun") {
      test.outcome = Outcome::kSkipped;
      test.reason = "disabled";
    }
    outcomes.push_back(std::move(test));
  }
  return outcomes;
}

std::vector<TestOutcome> ReadSteps(std::string_view text) {
  static constexpr std::pair<std::string_view, Outcome> kWords[] = {
      {"passed", Outcome::kPassed}, {"failed", Outcome::kFailed}, {"skipped", Outcome::kSkipped}};
  std::vector<TestOutcome> outcomes;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.empty()) continue;
    const std::size_t space = line.find(' ');
    const std::string word = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    const std::size_t nameEnd = rest.find(' ');
    const auto known = std::find_if(std::begin(kWords), std::end(kWords),
                                    [&](const auto& pair) { return pair.first == word; });
    if (known == std::end(kWords) || rest.empty()) {
      outcomes.push_back(
          {"run-tests.cmd", Outcome::kFailed, "a step line it cannot read: " + line});
      continue;
    }
    TestOutcome step{rest.substr(0, nameEnd), known->second,
                     nameEnd == std::string::npos ? "" : rest.substr(nameEnd + 1)};
    if (step.outcome == Outcome::kPassed) step.reason.clear();
    if (step.outcome != Outcome::kPassed && step.reason.empty()) step.reason = "no reason given";
    outcomes.push_back(std::move(step));
  }
  return outcomes;
}

std::string Summary(const std::vector<TestOutcome>& outcomes) {
  const auto count = [&](Outcome outcome) {
    return std::to_string(
        std::count_if(outcomes.begin(), outcomes.end(),
                      [&](const TestOutcome& t) { return t.outcome == outcome; }));
  };
  std::string text = count(Outcome::kPassed) + " passed, " + count(Outcome::kFailed) + " failed, " +
                     count(Outcome::kSkipped) + " skipped\n";
  for (const Outcome listed : {Outcome::kFailed, Outcome::kSkipped}) {
    for (const TestOutcome& test : outcomes) {
      if (test.outcome != listed) continue;
      text += (listed == Outcome::kFailed ? "failed  " : "skipped ") + test.name + ": " +
              test.reason + "\n";
    }
  }
  return text;
}

bool Succeeded(const std::vector<TestOutcome>& outcomes) {
  return !outcomes.empty() &&
         std::none_of(outcomes.begin(), outcomes.end(),
                      [](const TestOutcome& t) { return t.outcome == Outcome::kFailed; });
}

}  // namespace calmora::test_bundle
