// The message window's 3-D labels as windows: named, clicked, never focused, and drawn in their
// own colours or a theme's.
#include "controls/label3d/win32/label3d.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <tuple>
#include <vector>

#include "app/message_window/calmora_form_design.h"
#include "controls/label3d/label_appearance.h"
#include "controls/label3d/win32/back_buffer.h"
#include "controls/label3d/win32/label3d_accessible.h"
#include "platform/win32/accessible_name_annotation.h"
#include "platform/win32/com_ptr.h"

namespace calmora::win32 {
namespace {

namespace design = calmora_form_design;

constexpr int kId = 101;
constexpr std::uint32_t kWhite = 0xFFFFFF, kDarkRed = 0xC00000, kRust = 0xA52A00, kBlack = 0;

std::vector<std::pair<WPARAM, LPARAM>> commands;  // what the parent has been told

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) commands.emplace_back(wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

// The labels on a parent that paints no background, so a see-through label keeps its back colour.
class Label3dTest : public ::testing::Test {
 protected:
  Label3dTest() {
    static const WNDCLASSEXW parentClass{
        sizeof(WNDCLASSEXW),       0,       RecordCommands, 0,       0,
        GetModuleHandleW(nullptr), nullptr, nullptr,        nullptr, nullptr,
        L"CalmoraLabelTestParent", nullptr};
    static const ATOM registered = RegisterClassExW(&parentClass);
    parent_ = CreateWindowExW(0, MAKEINTATOM(registered), L"", WS_OVERLAPPEDWINDOW, 0, 0, 660, 500,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    commands.clear();
  }
  ~Label3dTest() override { DestroyWindow(parent_); }

  HWND Create(const LabelDesign& label, LabelPropertyBag bag = {}) {
    const RECT bounds{0, 0, TwipsToPixels(label.rect.width, 96),
                      TwipsToPixels(label.rect.height, 96)};
    return CreateLabel3d(parent_, kId, bounds, bag.empty() ? label.properties : bag, label.role,
                         96);
  }

  HWND parent_;
};

// Asks the label to draw itself into an off-screen picture, as printing a window does.
std::vector<std::uint32_t> Render(HWND label) {
  RECT client;
  GetClientRect(label, &client);
  BackBuffer buffer(nullptr, client.right, client.bottom);
  SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.Dc()), PRF_CLIENT);
  return {buffer.Pixels().begin(), buffer.Pixels().end()};
}

// A click tells the parent once and leaves the keyboard focus where it was.
TEST_F(Label3dTest, APressAndReleaseOnItIsOneClickAndNeverFocusesIt) {
  HWND label = Create(design::kCalmoraLabel);
  HWND button = CreateWindowExW(0, L"BUTTON", L"OKAY", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 272, 408,
                                113, 33, parent_, nullptr, nullptr, nullptr);
  SetFocus(button);
  const LPARAM inside = MAKELPARAM(100, 30), outside = MAKELPARAM(700, 30);
  SendMessageW(label, WM_LBUTTONUP, 0, inside);  // no press before it
  SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  SendMessageW(label, WM_LBUTTONUP, 0, outside);  // let go elsewhere
  EXPECT_TRUE(commands.empty());
  SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  SendMessageW(label, WM_LBUTTONUP, 0, inside);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].first, MAKEWPARAM(kId, kLabelClicked));
  EXPECT_EQ(commands[0].second, reinterpret_cast<LPARAM>(label));
  EXPECT_NE(GetCapture(), label);
  EXPECT_EQ(GetFocus(), button);
  EXPECT_EQ(GetNextDlgTabItem(parent_, button, FALSE), button);
}

// Each label is found by its caption, and drawn in its fore, shadow and back colours.
TEST_F(Label3dTest, EachLabelIsNamedByItsCaptionAndDrawnInItsColours) {
  for (const auto& [label, shadow, leastInk] : {std::tuple{design::kCalmoraLabel, kRust, 500},
                                                std::tuple{design::kYourTechLabel, kBlack, 20}}) {
    HWND window = Create(label);
    wchar_t text[80]{};
    GetWindowTextW(window, text, 80);
    EXPECT_EQ(text, ParseLabelProperties(label.properties).caption);
    const auto picture = Render(window);
    EXPECT_GT(std::ranges::count(picture, kWhite), leastInk);
    EXPECT_GT(std::ranges::count(picture, shadow), leastInk);
    EXPECT_GT(std::ranges::count(picture, kDarkRed), std::ssize(picture) / 2);
  }
}

// A high-contrast theme's colours without a shadow colour draw the caption flat, and the
// design's colours given back draw it exactly as designed again.
TEST_F(Label3dTest, ColoursWithoutAShadowDrawTheCaptionFlatAndTheDesignsComeBackExactly) {
  constexpr std::uint32_t kYellow = 0xFFFF00;
  HWND window = Create(design::kCalmoraLabel);
  const auto designed = Render(window);
  SetLabel3dColors(window, {Rgb(255, 255, 0), Rgb(0, 0, 0), std::nullopt});
  const auto flat = Render(window);
  EXPECT_GT(std::ranges::count(flat, kYellow), 500);
  EXPECT_EQ(std::ranges::count(flat, kRust), 0);
  EXPECT_GT(std::ranges::count(flat, kBlack), std::ssize(flat) / 2);
  SetLabel3dColors(window, DesignColors(ParseLabelProperties(design::kCalmoraLabel.properties)));
  EXPECT_TRUE(Render(window) == designed);
}

// What a client reads of one question about an object itself, through IAccessible or late-bound
// through IDispatch: the result, and the answer as text (of a state, only whether it is linked).
std::pair<HRESULT, std::wstring> Ask(IAccessible* object, DISPID question, bool lateBound) {
  VARIANT self{}, answer{};
  self.vt = VT_I4;
  HRESULT result;
  if (lateBound) {
    // What a client in another process asks for first.
    ComPtr<IDispatch> dispatch;
    DISPPARAMS parameters{&self, nullptr, 1, 0};
    EXCEPINFO error{};
    result = object->QueryInterface(__uuidof(IDispatch), reinterpret_cast<void**>(dispatch.put()));
    if (SUCCEEDED(result)) {
      result = dispatch->Invoke(question, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                &parameters, &answer, &error, nullptr);
    }
    if (result == DISP_E_EXCEPTION) result = error.scode;
    for (BSTR t : {error.bstrSource, error.bstrDescription, error.bstrHelpFile}) SysFreeString(t);
  } else {
    answer.vt = VT_BSTR;  // until a question of a number starts it afresh
    BSTR* text = &answer.bstrVal;
    result = question == DISPID_ACC_NAME            ? object->get_accName(self, text)
             : question == DISPID_ACC_DEFAULTACTION ? object->get_accDefaultAction(self, text)
             : question == DISPID_ACC_ROLE          ? object->get_accRole(self, &answer)
             : question == DISPID_ACC_STATE         ? object->get_accState(self, &answer)
                                                    : object->accDoDefaultAction(self);
  }
  if (question == DISPID_ACC_STATE && answer.vt == VT_I4) answer.lVal &= STATE_SYSTEM_LINKED;
  VariantChangeType(&answer, &answer, 0, VT_BSTR);
  std::wstring text = answer.vt == VT_BSTR && answer.bstrVal ? answer.bstrVal : L"";
  VariantClear(&answer);
  return {SUCCEEDED(result) ? S_OK : result, text};  // IDispatch tells no S_FALSE
}

// Every client hears the same answers from a link, a text and the box it names, and nothing once
// their windows are gone: the box's first, while the text that named it lives on. Where a row
// gives no answer, late binding hears what early binding does.
TEST_F(Label3dTest, AccessibleObjectsAnswerAlikeEarlyAndLateBoundAndNothingOnceGone) {
  const ComApartment apartment;
  ComPtr<ITypeLib> types;  // what late-bound calls need of the system
  const bool lateBound = SUCCEEDED(LoadTypeLibEx(L"oleacc.dll", REGKIND_NONE, types.put()));
  const HWND windows[] = {Create(design::kCalmoraLabel), Create(design::kYourTechLabel),
                          CreateWindowExW(0, L"EDIT", L"typed", WS_CHILD, 0, 0, 9, 9, parent_,
                                          nullptr, nullptr, nullptr)};
  ComPtr<IAccessible> objects[3];
  for (int i = 0; i < 3; ++i) {
    const LRESULT answer = i < 2 ? SendMessageW(windows[i], WM_GETOBJECT, 0, OBJID_CLIENT)
                                 : LabelledAccessibleObject(windows[2], 0, windows[1]);
    ASSERT_EQ(ObjectFromLresult(answer, __uuidof(IAccessible), 0,
                                reinterpret_cast<void**>(objects[i].put())),
              S_OK);
  }
  const std::wstring sub = L"[HERE IS A MESSAGE FROM YOUR PERSONAL TECHNICIAN]", none = L"";
  const std::pair<DISPID, std::array<std::optional<std::wstring>, 3>> rows[] = {
      {DISPID_ACC_NAME, {L"Calmora!", sub, sub}},
      {DISPID_ACC_ROLE, {L"30", L"41", {}}},         // a link, static text, the system's
      {DISPID_ACC_STATE, {L"4194304", L"0", L"0"}},  // linked, not linked
      {DISPID_ACC_DEFAULTACTION, {L"Click", {}, {}}},
      {DISPID_ACC_DODEFAULTACTION, {none, {}, {}}},
  };
  for (const std::size_t there : {3u, 2u, 0u}) {
    for (MSG m; there == 0 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
    std::for_each(windows + there, std::end(windows), DestroyWindow);  // once the clicks arrived
    for (const auto& [question, answers] : rows) {
      for (std::size_t i = 0; i < 3; ++i) {
        const bool gone = i >= there;
        const auto expected = gone         ? std::pair{CO_E_OBJNOTCONNECTED, none}
                              : answers[i] ? std::pair{S_OK, *answers[i]}
                                           : Ask(objects[i].get(), question, false);
        for (const bool late : {false, lateBound})
          EXPECT_EQ(Ask(objects[i].get(), question, late), expected)
              << i << question << late << gone;
      }
    }
  }
  EXPECT_EQ(commands.size(), lateBound ? 4u : 2u);  // a default action clicks, however asked
  if (!lateBound) GTEST_SKIP() << "The system has no type library for IAccessible";
}

// Where the system takes it, the box is named by an annotation of its own object, which keeps what
// the system knows of an edit control; what the box answers otherwise is the row above's.
TEST_F(Label3dTest, TheBoxsOwnObjectIsNamedByTheAnnotationUntilItIsCleared) {
  const ComApartment apartment;
  const HWND box = CreateWindowExW(0, L"EDIT", L"typed", WS_CHILD, 0, 0, 9, 9, parent_, nullptr,
                                   nullptr, nullptr);
  const auto name = [&] {
    ComPtr<IAccessible> object;
    AccessibleObjectFromWindow(box, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(object.put()));
    return object ? Ask(object.get(), DISPID_ACC_NAME, false).second : L"no object";
  };
  AccessibleNameAnnotation annotation;
  if (!annotation.Annotate(box, L"Named")) {
    GTEST_SKIP() << "The system refused the name annotation: the message box was named by "
                    "Calmora's own object, the fallback, and the annotation was not tried";
  }
  EXPECT_EQ(name(), L"Named");
  annotation.Clear();
  EXPECT_NE(name(), L"Named");
}

TEST_F(Label3dTest, ADeeperEffectCastsMoreShadow) {
  auto shallow = design::kCalmoraLabelProperties;
  for (LabelProperty& property : shallow) {
    if (property.name == L"Label3dDepth") property.value = std::int32_t{2};
  }
  const auto deep = std::ranges::count(Render(Create(design::kCalmoraLabel)), kRust);
  const auto lessDeep = std::ranges::count(Render(Create(design::kCalmoraLabel, shallow)), kRust);
  EXPECT_GT(deep, lessDeep + lessDeep / 2);
}

}  // namespace
}  // namespace calmora::win32
