// One small accessible object: the system's proxy for a window's client area, wrapped, with its
// name, role and default action answered here and every other question passed on to the proxy.
//
// Each WM_GETOBJECT makes a new one, which the client's reference alone keeps alive. It holds
// window handles and values, never the window's own state, so it outlives its window safely: once
// the window is gone, the proxy and the answers here report the object as no longer there.
#include "controls/label3d/win32/label3d_accessible.h"

#include <oleacc.h>

#include <atomic>
#include <new>
#include <string>
#include <utility>

#include "controls/label3d/win32/label3d.h"
#include "platform/win32/com_ptr.h"

// Interface ids are taken with __uuidof: MinGW-w64's oleacc and uuid libraries both define
// IID_IAccessible, and a program that names it cannot link.

namespace calmora::win32 {
namespace {

// The default action's name, as Windows Forms names a link label's.
constexpr wchar_t kClick[] = L"Click";

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// A COM object is deleted only by its own Release, never through an interface pointer, so the
// interfaces' destructors need not be virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class Accessible final : public IAccessible, public IOleWindow {
 public:
  // `role` 0 keeps the proxy's role; `clicks` makes clicking the window its default action.
  Accessible(ComPtr<IAccessible> system, HWND window, HWND nameFrom, LONG role, bool clicks)
      : system_(std::move(system)),
        window_(window),
        nameFrom_(nameFrom),
        role_(role),
        clicks_(clicks) {}

  // IUnknown. Also IOleWindow, which WindowFromAccessibleObject asks for.
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IOleWindow)) {
      *object = static_cast<IOleWindow*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // What is answered here.
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return system_->get_accName(child, name);
    if (!name) return E_POINTER;
    *name = nullptr;
    if (!IsWindow(window_) || !IsWindow(nameFrom_)) return CO_E_OBJNOTCONNECTED;
    const int length = GetWindowTextLengthW(nameFrom_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(nameFrom_, text.data(), length + 1)));
    if (text.empty()) return S_FALSE;
    *name = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child) || role_ == 0) return system_->get_accRole(child, role);
    if (!role) return E_POINTER;
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = role_;
    return S_OK;
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!IsSelf(child) || !clicks_) return system_->get_accDefaultAction(child, action);
    if (!action) return E_POINTER;
    *action = SysAllocString(kClick);
    return *action ? S_OK : E_OUTOFMEMORY;
  }
  // Returns at once: the click is posted, and whatever it opens runs after this call is over.
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child) || !clicks_) return system_->accDoDefaultAction(child);
    return PostLabel3dClick(window_) ? S_OK : CO_E_OBJNOTCONNECTED;
  }

  // Everything else is the system's.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return system_->GetTypeInfoCount(count); }
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return system_->GetTypeInfo(index, locale, info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override {
    return system_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                      VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override {
    return system_->Invoke(id, iid, locale, flags, parameters, result, exception, badArgument);
  }
  STDMETHODIMP get_accParent(IDispatch** parent) override { return system_->get_accParent(parent); }
  STDMETHODIMP get_accChildCount(long* count) override { return system_->get_accChildCount(count); }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
    return system_->get_accChild(child, object);
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    return system_->get_accValue(child, value);
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override {
    return system_->get_accDescription(child, description);
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    return system_->get_accState(child, state);
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override {
    return system_->get_accHelp(child, help);
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return system_->get_accHelpTopic(file, child, topic);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return system_->get_accKeyboardShortcut(child, shortcut);
  }
  STDMETHODIMP get_accFocus(VARIANT* focus) override { return system_->get_accFocus(focus); }
  STDMETHODIMP get_accSelection(VARIANT* selection) override {
    return system_->get_accSelection(selection);
  }
  STDMETHODIMP accSelect(long flags, VARIANT child) override {
    return system_->accSelect(flags, child);
  }
  STDMETHODIMP accLocation(long* left, long* top, long* width, long* height,
                           VARIANT child) override {
    return system_->accLocation(left, top, width, height, child);
  }
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return system_->accNavigate(direction, start, end);
  }
  STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override {
    return system_->accHitTest(x, y, child);
  }
  STDMETHODIMP put_accName(VARIANT child, BSTR name) override {
    return system_->put_accName(child, name);
  }
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) override {
    return system_->put_accValue(child, value);
  }

 private:
  ~Accessible() = default;

  std::atomic<ULONG> references_{1};
  ComPtr<IAccessible> system_;
  HWND window_;
  HWND nameFrom_;
  LONG role_;
  bool clicks_;
};
#pragma GCC diagnostic pop

LRESULT Answer(HWND window, WPARAM flags, HWND nameFrom, LONG role, bool clicks) {
  ComPtr<IAccessible> system;
  if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(system.put())))) {
    return 0;
  }
  auto* accessible =
      new (std::nothrow) Accessible(std::move(system), window, nameFrom, role, clicks);
  if (!accessible) return 0;
  // The client's reference is the one that counts: this one goes at once.
  const LRESULT answer =
      LresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(accessible));
  accessible->Release();
  return answer > 0 ? answer : 0;
}

}  // namespace

bool AsksForClientObject(LPARAM objectId) {
  // The id is 32 bits wide, also where LPARAM is 64.
  return static_cast<LONG>(static_cast<DWORD>(objectId)) == OBJID_CLIENT;
}

LRESULT LabelAccessibleObject(HWND label, WPARAM flags, LabelRole role) {
  const bool link = role == LabelRole::kLink;
  return Answer(label, flags, label, link ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT, link);
}

LRESULT LabelledAccessibleObject(HWND control, WPARAM flags, HWND label) {
  return Answer(control, flags, label, 0, false);
}

}  // namespace calmora::win32
