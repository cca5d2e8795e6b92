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

const char* NameOf(FileKind kind) {
  switch (kind) {
    case FileKind::kUtf8:
      return "UTF-8";
    case FileKind::kUtf16:
      return "UTF-16";
    case FileKind::kAnsi:
      break;
  }
  return "ANSI";
}

MessageFile MessageFileOf(std::size_t size, FileKind kind) {
  MessageFile file;
  file.bytes = MessageOfSize(size);
  if (kind == FileKind::kUtf8 && size >= 9)
    file.bytes.replace(0, 9,
                       "Gr\xC3\xBC\xC3\x9F"
                       "e\r\n");
  file.text.assign(file.bytes.begin(), file.bytes.end());
  if (kind == FileKind::kUtf8 && size >= 9)
    file.text.replace(0, 9,
                      L"Gr\xFC\xDF"
                      L"e\r\n",
                      7);
  if (kind == FileKind::kUtf16) {
    file.bytes = "\xFF\xFE";
    file.bytes.reserve(2 + 2 * file.text.size());
    for (const wchar_t unit : file.text) {
      file.bytes += static_cast<char>(unit & 0xFF);
      file.bytes += static_cast<char>(unit >> 8);
    }
  }
  file.savedSize = file.bytes.size() + (kind == FileKind::kUtf16 ? 2 : 1);
  return file;
}

}  // namespace calmora::benchmark
