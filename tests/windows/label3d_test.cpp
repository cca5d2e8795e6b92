// The 3-D label as a window: found by its caption, clicked, never focused, and drawn with its
// colours and a shadow as deep as asked.
#include "platform/win32/label3d.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/runtime_error.h"
#include "platform/win32/back_buffer.h"
#include "tests/common/label_design_bags.h"

namespace calmora::win32 {
namespace {

using testing::kHeadingBag;
using testing::kSubHeadingBag;

constexpr int kHeadingId = 101;
constexpr int kSubHeadingId = 102;
constexpr RECT kHeadingBounds{32, 24, 32 + 577, 24 + 73};
constexpr RECT kSubHeadingBounds{24, 104, 24 + 593, 104 + 17};

struct Clicks {
  std::vector<std::pair<WPARAM, LPARAM>> commands;
};

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    auto* clicks = reinterpret_cast<Clicks*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (clicks) clicks->commands.emplace_back(wParam, lParam);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A top-level window painted in `background` (none: it paints nothing) that records the
// commands its children send.
class Parent {
 public:
  explicit Parent(COLORREF background = CLR_INVALID) {
    if (background != CLR_INVALID) brush_ = CreateSolidBrush(background);
    className_ = L"CalmoraLabelTestParent" + std::to_wstring(++count_);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = brush_;
    windowClass.lpszClassName = className_.c_str();
    RegisterClassExW(&windowClass);
    window_ = CreateWindowExW(0, className_.c_str(), L"Label test", WS_OVERLAPPEDWINDOW, 0, 0, 660,
                              500, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&clicks_));
  }
  Parent(const Parent&) = delete;
  Parent& operator=(const Parent&) = delete;
  ~Parent() {
    DestroyWindow(window_);
    UnregisterClassW(className_.c_str(), GetModuleHandleW(nullptr));
    if (brush_) DeleteObject(brush_);
  }

  HWND Window() const { return window_; }
  Clicks& Received() { return clicks_; }

 private:
  static inline int count_ = 0;
  std::wstring className_;
  HBRUSH brush_ = nullptr;
  HWND window_ = nullptr;
  Clicks clicks_;
};

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Asks the label to draw itself into an off-screen picture, as printing a window does.
std::unique_ptr<BackBuffer> Render(HWND label) {
  RECT client;
  GetClientRect(label, &client);
  HDC screen = GetDC(nullptr);
  auto buffer = std::make_unique<BackBuffer>(screen, client.right, client.bottom);
  ReleaseDC(nullptr, screen);
  SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer->Dc()), PRF_CLIENT);
  return buffer;
}

std::size_t CountOf(const std::unique_ptr<BackBuffer>& picture, std::uint32_t rgb) {
  const auto pixels = picture->Pixels();
  return static_cast<std::size_t>(std::count(pixels.begin(), pixels.end(), rgb));
}

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kDarkRed = 0xC00000;
constexpr std::uint32_t kRust = 0xA52A00;
constexpr std::uint32_t kBlack = 0x000000;

// With CALMORA_LABEL_SNAPSHOTS naming a folder, the pictures are kept there to be looked at.
void KeepForLooking(const std::unique_ptr<BackBuffer>& picture, const char* name) {
  const char* folder = std::getenv("CALMORA_LABEL_SNAPSHOTS");
  if (!folder) return;
  const auto pixels = picture->Pixels();
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = picture->Width();
  header.biHeight = -picture->Height();
  header.biPlanes = 1;
  header.biBitCount = 32;
  const auto bytes = static_cast<DWORD>(pixels.size_bytes());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + bytes;
  std::ofstream out(std::string(folder) + "\\" + name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(bytes));
}

TEST(Label3d, CarriesItsCaptionAsItsName) {
  Parent parent;
  HWND heading = CreateLabel3d(parent.Window(), kHeadingId, kHeadingBounds, kHeadingBag, 96);
  HWND sub = CreateLabel3d(parent.Window(), kSubHeadingId, kSubHeadingBounds, kSubHeadingBag, 96);
  EXPECT_EQ(TextOf(heading), L"Calmora!");
  EXPECT_EQ(TextOf(sub), L"[HERE IS A MESSAGE FROM YOUR PERSONAL TECHNICIAN]");
  EXPECT_EQ(GetDlgItem(parent.Window(), kHeadingId), heading);
  RECT bounds;
  GetWindowRect(sub, &bounds);
  EXPECT_EQ(bounds.right - bounds.left, 593);
  EXPECT_EQ(bounds.bottom - bounds.top, 17);
}

TEST(Label3d, RefusesABagItDoesNotKnow) {
  Parent parent;
  const std::array<LabelProperty, 1> bag{{{L"Alignment", std::int32_t{0}}}};
  EXPECT_THROW(CreateLabel3d(parent.Window(), 1, kHeadingBounds, bag, 96), RuntimeError);
  EXPECT_EQ(GetWindow(parent.Window(), GW_CHILD), nullptr);
}

TEST(Label3d, AClickOnItTellsTheParentOnce) {
  Parent parent;
  HWND heading = CreateLabel3d(parent.Window(), kHeadingId, kHeadingBounds, kHeadingBag, 96);
  SendMessageW(heading, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 30));
  EXPECT_TRUE(parent.Received().commands.empty());
  SendMessageW(heading, WM_LBUTTONUP, 0, MAKELPARAM(100, 30));
  ASSERT_EQ(parent.Received().commands.size(), 1u);
  EXPECT_EQ(LOWORD(parent.Received().commands[0].first), kHeadingId);
  EXPECT_EQ(HIWORD(parent.Received().commands[0].first), kLabelClicked);
  EXPECT_EQ(parent.Received().commands[0].second, reinterpret_cast<LPARAM>(heading));
  EXPECT_NE(GetCapture(), heading);
}

TEST(Label3d, NoClickWithoutAPressOrWhenLetGoOutside) {
  Parent parent;
  HWND heading = CreateLabel3d(parent.Window(), kHeadingId, kHeadingBounds, kHeadingBag, 96);
  SendMessageW(heading, WM_LBUTTONUP, 0, MAKELPARAM(100, 30));
  SendMessageW(heading, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 30));
  SendMessageW(heading, WM_LBUTTONUP, 0, MAKELPARAM(700, 30));
  EXPECT_TRUE(parent.Received().commands.empty());
}

TEST(Label3d, NeverTakesTheFocus) {
  Parent parent;
  HWND heading = CreateLabel3d(parent.Window(), kHeadingId, kHeadingBounds, kHeadingBag, 96);
  HWND button = CreateWindowExW(0, L"BUTTON", L"OKAY", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 272, 408,
                                113, 33, parent.Window(), nullptr, nullptr, nullptr);
  SetFocus(button);
  ASSERT_EQ(GetFocus(), button);
  EXPECT_EQ(GetWindowLongW(heading, GWL_STYLE) & WS_TABSTOP, 0);
  SendMessageW(heading, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 30));
  SendMessageW(heading, WM_LBUTTONUP, 0, MAKELPARAM(100, 30));
  EXPECT_EQ(GetFocus(), button);
  EXPECT_EQ(GetNextDlgTabItem(parent.Window(), button, FALSE), button);
}

TEST(Label3d, DrawsTheHeadingInItsThreeColours) {
  Parent parent;
  HWND heading = CreateLabel3d(parent.Window(), kHeadingId, kHeadingBounds, kHeadingBag, 96);
  const auto picture = Render(heading);
  KeepForLooking(picture, "heading.bmp");
  EXPECT_GT(CountOf(picture, kWhite), 500u);
  EXPECT_GT(CountOf(picture, kRust), 500u);
  EXPECT_GT(CountOf(picture, kDarkRed), 577u * 73u / 2);
}

TEST(Label3d, DrawsTheSubHeadingInItsThreeColours) {
  Parent parent;
  HWND sub = CreateLabel3d(parent.Window(), kSubHeadingId, kSubHeadingBounds, kSubHeadingBag, 96);
  const auto picture = Render(sub);
  KeepForLooking(picture, "sub-heading.bmp");
  EXPECT_GT(CountOf(picture, kWhite), 20u);
  EXPECT_GT(CountOf(picture, kBlack), 100u);
  EXPECT_GT(CountOf(picture, kDarkRed), 593u * 17u / 2);
}

TEST(Label3d, ADeeperEffectCastsMoreShadow) {
  Parent parent;
  std::array<LabelProperty, 16> shallow = kHeadingBag;
  for (LabelProperty& property : shallow) {
    if (property.name == L"Label3dDepth") property.value = std::int32_t{2};
  }
  const std::size_t deep =
      CountOf(Render(CreateLabel3d(parent.Window(), 1, kHeadingBounds, kHeadingBag, 96)), kRust);
  const std::size_t lessDeep =
      CountOf(Render(CreateLabel3d(parent.Window(), 2, kHeadingBounds, shallow, 96)), kRust);
  EXPECT_GT(deep, lessDeep + lessDeep / 2);
}

TEST(Label3d, SeeThroughShowsTheParentAndOpaqueShowsTheBackColour) {
  Parent parent(RGB(0, 0, 128));
  HWND seeThrough = CreateLabel3d(parent.Window(), 1, kSubHeadingBounds, kSubHeadingBag, 96);
  std::array<LabelProperty, 16> opaqueBag = kSubHeadingBag;
  for (LabelProperty& property : opaqueBag) {
    if (property.name == L"BackStyle") property.value = std::int32_t{1};
  }
  HWND opaque = CreateLabel3d(parent.Window(), 2, kHeadingBounds, opaqueBag, 96);
  const auto behind = Render(seeThrough);
  EXPECT_GT(CountOf(behind, 0x000080), 593u * 17u / 2);
  EXPECT_EQ(CountOf(behind, kDarkRed), 0u);
  EXPECT_GT(CountOf(Render(opaque), kDarkRed), 577u * 73u / 2);
}

TEST(Label3d, ABiggerDisplayDrawsBiggerLetters) {
  Parent parent;
  HWND heading = CreateLabel3d(parent.Window(), kHeadingId, {0, 0, 900, 120}, kHeadingBag, 96);
  const std::size_t at96 = CountOf(Render(heading), kWhite);
  SetLabel3dDpi(heading, 144);
  const std::size_t at144 = CountOf(Render(heading), kWhite);
  EXPECT_GT(at144, at96 * 3 / 2);
}

}  // namespace
}  // namespace calmora::win32
