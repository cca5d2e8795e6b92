// Measures what a person waits for and what the program costs: the time from start to the
// window on screen, the time to save and end, and the peak memory, for messages of several
// sizes. Prints a table; it asserts nothing.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/driver/calmora_process.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace calmora;
using Clock = std::chrono::steady_clock;

struct Figures {
  double startMs;
  double saveMs;
  double peakMiB;
};

std::string MessageOfSize(size_t size) {
  std::string message;
  for (int line = 0; message.size() < size; ++line) {
    message += "Line " + std::to_string(line) + ": your printer is ready on the second floor.\r\n";
  }
  message.resize(size);
  return message;
}

double PeakMiB(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const bool known = process && GetProcessMemoryInfo(process, &counters, sizeof counters);
  if (process) CloseHandle(process);
  return known ? static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0) : -1.0;
}

Figures RunOnce(const std::string& message) {
  testing::ScratchFolder data;
  CreateDirectoryW(data.Path(L"Quillmoor").c_str(), nullptr);
  if (!message.empty()) data.Write(L"Quillmoor\\UserMessage.txt", message);

  const auto started = Clock::now();
  e2e::CalmoraProcess calmora({{L"ProgramData", data.Path()}});
  const HWND window = calmora.WaitForWindow(L"CalmoraForm", std::chrono::minutes(2));
  const auto shown = Clock::now();
  const double peak = PeakMiB(calmora.Id());

  const HWND okay = FindWindowExW(window, nullptr, L"Button", nullptr);
  const auto saving = Clock::now();
  SendMessageW(okay, BM_CLICK, 0, 0);
  calmora.WaitForExit(std::chrono::minutes(2));
  const auto ended = Clock::now();

  const auto ms = [](auto duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
  };
  return {ms(shown - started), ms(ended - saving), peak};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  constexpr int kRuns = 5;
  std::printf("%-14s %16s %16s %16s\n", "message", "start to window", "OKAY to end", "peak memory");
  for (const size_t size : {size_t{0}, size_t{64} * 1024, size_t{1} << 20, size_t{10} << 20}) {
    const std::string message = MessageOfSize(size);
    std::vector<double> start, save, peak;
    for (int run = 0; run < kRuns; ++run) {
      const Figures figures = RunOnce(message);
      start.push_back(figures.startMs);
      save.push_back(figures.saveMs);
      peak.push_back(figures.peakMiB);
    }
    std::printf("%10zu KiB %13.0f ms %13.0f ms %12.1f MiB\n", size / 1024, Median(start),
                Median(save), Median(peak));
  }
  std::printf("(medians of %d runs each)\n", kRuns);
  return 0;
}
