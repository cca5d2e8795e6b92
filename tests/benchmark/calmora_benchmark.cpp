// Measures what a person waits for and what Calmora costs, side by side with the yardsticks its
// goals are set against: the time from process start to a visible window whose edit box holds
// the whole message, for Calmora, for Wine's notepad (word wrap on) opening the same file, and
// for a minimal window with one edit box; Calmora's peak working set; and the time a save takes,
// for each kind of file. Runs are interleaved and the medians printed, with each goal and where
// Calmora stands. Given other builds of Calmora.exe after the rounds, it times only the 10 MiB
// save of this build beside theirs. It asserts nothing.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tests/benchmark/benchmark_message.h"
#include "tests/e2e/driver/calmora_process.h"
#include "tests/support/scratch_folder.h"

namespace calmora::benchmark {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr std::size_t kKiB = 1024;
constexpr std::size_t kMiB = 1024 * 1024;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

double PeakMiB(DWORD processId) {
  const win32::UniqueHandle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!process || !GetProcessMemoryInfo(process.get(), &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.PeakWorkingSetSize) / static_cast<double>(kMiB);
}

struct Window {
  HWND frame = nullptr;
  HWND edit = nullptr;
};

// The visible top-level window of `className` that the program shows, once its edit box holds
// `characters` characters.
std::optional<Window> WaitUntilShown(const e2e::CalmoraProcess& program, const wchar_t* className,
                                     std::size_t characters) {
  const auto deadline = Clock::now() + 10min;
  while (Clock::now() < deadline) {
    if (const HWND frame = program.FindWindowNow(className)) {
      const HWND edit = FindWindowExW(frame, nullptr, L"Edit", nullptr);
      DWORD_PTR length = 0;
      if (edit && SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 600000, &length) &&
          length == characters) {
        return Window{frame, edit};
      }
    }
    if (program.WaitForExit(0ms)) return std::nullopt;
    Sleep(1);
  }
  return std::nullopt;
}

struct Run {
  double showMs = 0;
  double peakMiB = 0;
  double saveMs = 0;
};

std::uint64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// Shows `file` in `executable` (this build's Calmora.exe when empty), then saves one character
// more: the save lasts from OKAY until the window is gone and the file holds the new text.
Run RunCalmora(const MessageFile& file, const std::wstring& executable = {}) {
  testing::ScratchFolder data;
  CreateDirectoryW(data.Path(L"Quillmoor").c_str(), nullptr);
  if (!file.bytes.empty()) data.Write(L"Quillmoor\\UserMessage.txt", file.bytes);
  const auto started = Clock::now();
  e2e::CalmoraProcess calmora({{L"ProgramData", data.Path()}}, executable);
  const std::optional<Window> shown = WaitUntilShown(calmora, L"CalmoraForm", file.text.size());
  if (!shown) throw std::runtime_error("Calmora did not show the message");
  Run run{Milliseconds(Clock::now() - started), PeakMiB(calmora.Id()), 0};

  // A save needs a change: one character typed at the end, then OKAY.
  const auto end = static_cast<WPARAM>(file.text.size());
  SendMessageW(shown->edit, EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessageW(shown->edit, WM_CHAR, L'!', 0);
  const std::wstring saved = data.Path(L"Quillmoor\\UserMessage.txt");
  const auto saving = Clock::now();
  PostMessageW(e2e::OkayButtonOf(shown->frame), BM_CLICK, 0, 0);
  while (IsWindow(shown->frame) || FileSize(saved) != file.savedSize) {
    if (Clock::now() - saving > 10min) throw std::runtime_error("Calmora did not save");
    Sleep(1);
  }
  run.saveMs = Milliseconds(Clock::now() - saving);
  calmora.WaitForExit(10min);
  return run;
}

Run RunNotepad(const std::wstring& file, std::size_t characters) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const auto started = Clock::now();
  e2e::CalmoraProcess notepad({}, std::wstring(windows) + L"\\notepad.exe", {}, file);
  if (!WaitUntilShown(notepad, L"Notepad", characters)) {
    throw std::runtime_error("notepad did not show the file");
  }
  return {Milliseconds(Clock::now() - started), PeakMiB(notepad.Id()), 0};
}

Run RunMinimalWindow(const std::wstring& file, std::size_t characters) {
  const auto started = Clock::now();
  e2e::CalmoraProcess minimal({}, e2e::BinaryFolder() + L"\\minimal_edit_window.exe", {}, file);
  if (!WaitUntilShown(minimal, L"MinimalEditWindow", characters)) {
    throw std::runtime_error("the minimal window did not show");
  }
  return {Milliseconds(Clock::now() - started), PeakMiB(minimal.Id()), 0};
}

// Notepad wraps long lines only when asked to, as Calmora's box always does.
class NotepadWordWrap {
 public:
  NotepadWordWrap() {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Notepad", 0, nullptr, 0,
                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
    DWORD size = sizeof before_;
    had_ = RegQueryValueExW(key_, L"fWrap", nullptr, nullptr, reinterpret_cast<BYTE*>(&before_),
                            &size) == ERROR_SUCCESS;
    const DWORD on = 1;
    RegSetValueExW(key_, L"fWrap", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
  }
  NotepadWordWrap(const NotepadWordWrap&) = delete;
  NotepadWordWrap& operator=(const NotepadWordWrap&) = delete;
  ~NotepadWordWrap() {
    if (had_) {
      RegSetValueExW(key_, L"fWrap", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&before_),
                     sizeof before_);
    } else {
      RegDeleteValueW(key_, L"fWrap");
    }
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  DWORD before_ = 0;
  bool had_ = false;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// The mean of the faster half: what a run costs when nothing else on the machine gets in its way.
double FasterHalfMean(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t half = std::max<std::size_t>(1, values.size() / 2);
  double sum = 0;
  for (std::size_t i = 0; i < half && i < values.size(); ++i) sum += values[i];
  return values.empty() ? 0 : sum / static_cast<double>(half);
}

struct Series {
  std::vector<double> show, peak, save;
  void Add(const Run& run) {
    show.push_back(run.showMs);
    peak.push_back(run.peakMiB);
    save.push_back(run.saveMs);
  }
};

std::string SizeName(std::size_t size) {
  if (size == 0) return "none";
  if (size % kMiB == 0) return std::to_string(size / kMiB) + " MiB";
  return std::to_string(size / kKiB) + " KiB";
}

void Goal(const char* what, double goal, double now, bool atMost = true) {
  std::printf("  %-44s goal %s%.2fx, now %.2fx %s\n", what, atMost ? "<= " : "", goal, now,
              now <= goal ? "(met)" : "(NOT met)");
}

// The 10 MiB save of this build beside other builds of Calmora.exe, in turns, for each kind of
// file.
void CompareSaves(int rounds, const std::vector<std::wstring>& others) {
  std::vector<std::wstring> builds{L""};
  builds.insert(builds.end(), others.begin(), others.end());
  std::printf(
      "OKAY+1 char at 10 MiB, until the window is gone and the file holds the new text; "
      "%d runs of each build in turns. Median, and mean of the faster half:\n\n",
      rounds);
  for (const FileKind kind : kFileKinds) {
    const MessageFile file = MessageFileOf(10 * kMiB, kind);
    std::vector<std::vector<double>> saves(builds.size());
    for (int round = 0; round < rounds; ++round) {
      for (std::size_t turn = 0; turn < builds.size(); ++turn) {
        // Each round starts with another build, so none always follows the same one.
        const std::size_t build = (turn + static_cast<std::size_t>(round)) % builds.size();
        saves[build].push_back(RunCalmora(file, builds[build]).saveMs);
      }
    }
    for (std::size_t build = 0; build < builds.size(); ++build) {
      std::printf("%-7s %-40ls %6.0f ms %6.0f ms  %.2fx\n", NameOf(kind),
                  build == 0 ? L"this build" : builds[build].c_str(), Median(saves[build]),
                  FasterHalfMean(saves[build]),
                  FasterHalfMean(saves[0]) / FasterHalfMean(saves[build]));
    }
  }
  std::printf("\n(the last column: this build's time over that build's, by the faster halves)\n");
}

}  // namespace
}  // namespace calmora::benchmark

int wmain(int argc, wchar_t** argv) {
  using namespace calmora::benchmark;
  const int rounds = argc > 1 ? _wtoi(argv[1]) : 5;
  if (argc > 2) {
    CompareSaves(rounds, {argv + 2, argv + argc});
    return 0;
  }
  const std::vector<std::size_t> sizes{0, 64 * kKiB, kMiB, 10 * kMiB};
  const auto large = [](std::size_t size) { return size >= kMiB; };

  calmora::testing::ScratchFolder files;
  std::map<std::size_t, MessageFile> messages;
  std::map<std::size_t, std::wstring> paths;
  std::map<std::pair<std::size_t, FileKind>, MessageFile> others;
  for (const std::size_t size : sizes) {
    messages[size] = MessageFileOf(size, FileKind::kAnsi);
    if (size == 0) continue;
    paths[size] = files.Path(L"message-" + std::to_wstring(size) + L".txt");
    files.Write(L"message-" + std::to_wstring(size) + L".txt", messages[size].bytes);
    for (const FileKind kind : {FileKind::kUtf8, FileKind::kUtf16}) {
      if (large(size)) others[{size, kind}] = MessageFileOf(size, kind);
    }
  }
  const NotepadWordWrap wordWrap;

  std::map<std::size_t, Series> calmora, minimal, notepad;
  std::map<std::pair<std::size_t, FileKind>, Series> otherSaves;
  for (int round = 0; round < rounds; ++round) {
    for (const std::size_t size : sizes) {
      calmora[size].Add(RunCalmora(messages[size]));
      minimal[size].Add(RunMinimalWindow(paths[size], size));
      if (large(size)) notepad[size].Add(RunNotepad(paths[size], size));
    }
    for (const auto& [which, file] : others) otherSaves[which].Add(RunCalmora(file));
    std::fprintf(stderr, "round %d of %d done\n", round + 1, rounds);
  }

  std::printf("Messages: %s. Medians of %d interleaved runs.\n", kMessageShape, rounds);
  std::printf("Start to a visible window whose edit box holds the whole message:\n\n");
  std::printf("%-8s %10s %12s %12s %11s %14s\n", "message", "Calmora", "peak memory", "OKAY+1 char",
              "bare box", "notepad (wrap)");
  for (const std::size_t size : sizes) {
    std::printf("%-8s %7.0f ms %8.1f MiB %9.0f ms %8.0f ms", SizeName(size).c_str(),
                Median(calmora[size].show), Median(calmora[size].peak), Median(calmora[size].save),
                Median(minimal[size].show));
    if (large(size)) std::printf(" %11.0f ms", Median(notepad[size].show));
    std::printf("\n");
  }
  std::printf(
      "\n(bare box: a minimal window with one edit box of Calmora's size and font, showing the "
      "same file; OKAY+1 char: one character typed at the end, then OKAY until the window is gone "
      "and the file holds the new text)\n\n");

  std::printf("OKAY+1 char by the kind of file (UTF-16 files are twice the size):\n\n");
  std::printf("%-8s %10s %10s %10s\n", "message", "ANSI", "UTF-8", "UTF-16");
  for (const std::size_t size : sizes) {
    if (!large(size)) continue;
    std::printf("%-8s %7.0f ms %7.0f ms %7.0f ms\n", SizeName(size).c_str(),
                Median(calmora[size].save), Median(otherSaves[{size, FileKind::kUtf8}].save),
                Median(otherSaves[{size, FileKind::kUtf16}].save));
  }
  std::printf("\n");

  std::printf("Start-up, against the bare box:\n");
  for (const std::size_t size : {std::size_t{0}, 64 * kKiB}) {
    Goal(SizeName(size).c_str(), 1.1, Median(calmora[size].show) / Median(minimal[size].show));
  }
  std::printf("Large messages, against notepad with word wrap on:\n");
  for (const std::size_t size : sizes) {
    if (!large(size)) continue;
    Goal(SizeName(size).c_str(), 1.0, Median(calmora[size].show) / Median(notepad[size].show));
    std::printf("  %-44s the bare box takes %.2fx notepad's time\n", "",
                Median(minimal[size].show) / Median(notepad[size].show));
  }
  std::printf("Memory, peak working set above an empty start, per byte of message:\n");
  const double empty = Median(calmora[0].peak);
  for (const std::size_t size : sizes) {
    if (!large(size)) continue;
    Goal(SizeName(size).c_str(), 3.0,
         (Median(calmora[size].peak) - empty) * static_cast<double>(kMiB) /
             static_cast<double>(size));
  }
  std::printf("Saving, against showing the same message:\n");
  Goal("10 MiB", 0.2, Median(calmora[10 * kMiB].save) / Median(calmora[10 * kMiB].show));
  return 0;
}
