// What a save's encoding step costs beside its floor, measured inside one process with the
// program's own code: turning a 10 MiB message into the bytes of its file (with the check that
// they read back as the text), and the bare write of those same bytes to a new file.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "store/message_encoding.h"
#include "tests/benchmark/benchmark_message.h"
#include "tests/support/scratch_folder.h"

namespace calmora::benchmark {
namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

MessageEncoding EncodingOf(FileKind kind) {
  switch (kind) {
    case FileKind::kUtf8:
      return MessageEncoding::kUtf8;
    case FileKind::kUtf16:
      return MessageEncoding::kUtf16LittleEndian;
    case FileKind::kAnsi:
      break;
  }
  return MessageEncoding::kAnsi;
}

// The floor of any save: a new file, the bytes, and the file closed. No flush, no replacing.
double BareWrite(const std::wstring& path, const std::string& bytes) {
  const auto start = Clock::now();
  const win32::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return Since(start);
}

}  // namespace
}  // namespace calmora::benchmark

int wmain(int argc, wchar_t** argv) {
  using namespace calmora;
  using namespace calmora::benchmark;
  const int rounds = argc > 1 ? _wtoi(argv[1]) : 7;
  constexpr std::size_t kSize = std::size_t{10} << 20;
  const win32::Win32AnsiCodePage ansi;
  testing::ScratchFolder folder;

  std::printf(
      "A message of 10 MiB (%s), saved as the file it was read from. Milliseconds, "
      "median of %d:\n\n",
      kMessageShape, rounds);
  std::printf("%-8s %10s %8s %8s %8s\n", "file", "file size", "encode", "write", "ratio");
  for (const FileKind kind : kFileKinds) {
    // The text as typed: one character more than the file holds.
    const std::wstring text = MessageFileOf(kSize, kind).text + L"!";
    std::vector<double> encode, write;
    std::size_t size = 0;
    for (int round = 0; round < rounds; ++round) {
      auto start = Clock::now();
      const EncodedMessage saved = EncodeMessage(text, EncodingOf(kind), ansi);
      encode.push_back(Since(start));
      if (saved.encoding != EncodingOf(kind))
        std::printf("(the %s file changed encoding)\n", NameOf(kind));
      size = saved.bytes.size();
      write.push_back(BareWrite(folder.Path(L"saved.txt"), saved.bytes));
    }
    std::printf("%-8s %6.1f MiB %8.1f %8.1f %7.2fx\n", NameOf(kind),
                static_cast<double>(size) / static_cast<double>(1 << 20), Median(encode),
                Median(write), Median(encode) / Median(write));
  }
  std::printf(
      "\n(encode: the text to the file's bytes, checked to read back as the text; write: "
      "those bytes to a new file and closed)\n");
  return 0;
}
