// Where the time and the memory of showing a large message go, stage by stage, measured inside
// one process with the program's own code: reading the file, decoding it into the message box's
// buffer, handing the buffer to the edit control, the control's line layout, and the first paint.
// The message box is made as the message window makes it: same control, font and size.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "app/message_window/calmora_form_design.h"
#include "app/message_window/message_edit_box_win32.h"
#include "app/window_layout_win32.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_file_system.h"
#include "store/message_encoding.h"
#include "tests/benchmark/benchmark_message.h"
#include "tests/support/scratch_folder.h"

namespace calmora::benchmark {
namespace {

using Clock = std::chrono::steady_clock;

// The width of the edit box in Wine's notepad as it opens on the benchmark's display.
constexpr int kNotepadBoxWidth = 941;

double MiB(SIZE_T bytes) {
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// Working set now and at its peak, both above what the process held before the stages.
struct Memory {
  double now;
  double peak;
};

class Meter {
 public:
  Meter() : start_(Counters().WorkingSetSize), mark_(Clock::now()) {}
  // Milliseconds since the last call, and the memory now.
  std::pair<double, Memory> Lap() {
    const auto now = Clock::now();
    const double ms = std::chrono::duration<double, std::milli>(now - mark_).count();
    mark_ = now;
    const PROCESS_MEMORY_COUNTERS counters = Counters();
    return {ms, {MiB(counters.WorkingSetSize - start_), MiB(counters.PeakWorkingSetSize - start_)}};
  }

 private:
  static PROCESS_MEMORY_COUNTERS Counters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
  }
  SIZE_T start_;
  Clock::time_point mark_;
};

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

void Measure(const std::wstring& path, std::size_t size) {
  namespace design = calmora_form_design;
  const HWND window = CreateWindowExW(0, L"LoadStages", L"Stages", WS_OVERLAPPEDWINDOW, 0, 0, 680,
                                      520, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  const UINT dpi = GetDpiForWindow(window);
  Win32MessageEditBox box;
  box.Create(window, 1);
  win32::UniqueFont font;
  SetControlsFont({box.get()}, CreateDesignFont(design::kUserMessageText.font, dpi), font);
  MoveControl(box.get(), design::kUserMessageText.rect, dpi);

  win32::Win32FileSystem files;
  const win32::Win32AnsiCodePage ansi;
  Meter meter;
  const auto reader = files.OpenForReading(path);
  std::string bytes = reader->ReadAll();
  reader->Close();
  const auto read = meter.Lap();

  const MessageEncoding encoding = DetectMessageEncoding(bytes);
  const std::span<wchar_t> room = box.Reserve(DecodedLengthLimit(bytes, encoding));
  const std::size_t length = DecodeMessage(bytes, encoding, ansi, room);
  const auto decode = meter.Lap();

  std::string().swap(bytes);
  box.Commit(length);
  const auto commit = meter.Lap();

  // The same layout again, on its own: the control lays out every line when its rectangle is set.
  RECT format{};
  SendMessageW(box.get(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  SendMessageW(box.get(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&format));
  const auto layout = meter.Lap();

  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  const auto paint = meter.Lap();

  // The same text laid out in a box as wide as notepad's window under Wine opens: fewer lines
  // wrap, and each wrapped line costs the control several measurements of it.
  ShowWindow(window, SW_HIDE);
  SetWindowPos(box.get(), nullptr, 0, 0, kNotepadBoxWidth, format.bottom + 4,
               SWP_NOMOVE | SWP_NOZORDER);
  const auto wide = meter.Lap();

  // Handing over is the commit less its layout; timing noise may make that a hair below zero.
  const double handOver = std::max(0.0, commit.first - layout.first);
  std::printf("%7zu KiB %8.0f %8.0f %8.0f %8.0f %8.0f %8.0f   %6.1f %6.1f %6.1f %6.1f MiB\n",
              size / 1024, read.first, decode.first, handOver, layout.first, paint.first,
              wide.first, read.second.now, decode.second.now, commit.second.now,
              commit.second.peak);
  DestroyWindow(window);
}

}  // namespace
}  // namespace calmora::benchmark

int wmain() {
  using namespace calmora::benchmark;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"LoadStages";
  RegisterClassExW(&windowClass);

  calmora::testing::ScratchFolder files;
  std::printf("Messages: %s. Milliseconds per stage, and memory above the start.\n\n",
              kMessageShape);
  std::printf("%11s %8s %8s %8s %8s %8s %8s   %6s %6s %6s %6s\n", "message", "read", "decode",
              "hand", "layout", "paint", "wide", "read", "decode", "shown", "peak");
  for (const std::size_t size :
       {std::size_t{64} << 10, std::size_t{1} << 20, std::size_t{10} << 20}) {
    const std::wstring name = L"message-" + std::to_wstring(size) + L".txt";
    files.Write(name, MessageOfSize(size));
    Measure(files.Path(name), size);
  }
  std::printf(
      "\n(hand: giving the buffer to the edit control, its layout apart; layout: laying out every "
      "line of it once; wide: laying it out again %d pixels wide, as notepad's box opens)\n",
      kNotepadBoxWidth);
  return 0;
}
