#include "tests/benchmark/benchmark_message.h"

#include <array>
#include <cstdint>

namespace calmora::benchmark {

std::string MessageOfSize(std::size_t size) {
  static constexpr std::array<const char*, 16> kWords{
      "printer", "the",      "second",   "floor",   "is", "ready", "please", "call",
      "me",      "tomorrow", "password", "network", "a",  "of",    "your",   "technician"};
  // A fixed linear congruential sequence: the same message for the same size on every run.
  std::uint32_t state = 12345;
  const auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return state >> 16;
  };
  std::string message;
  message.reserve(size + 128);
  for (int number = 0; message.size() < size; ++number) {
    const std::size_t length = 60 + next() % 61;
    std::string line = "Line " + std::to_string(number) + ":";
    while (line.size() < length) {
      line += ' ';
      line += kWords[next() % kWords.size()];
    }
    line.resize(length);
    message += line;
    message += "\r\n";
  }
  message.resize(size);
  return message;
}

}  // namespace calmora::benchmark
