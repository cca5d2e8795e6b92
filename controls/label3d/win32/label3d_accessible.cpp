// One small accessible object: the system's proxy for a window's client area, wrapped, with its
// name, role, a link's state and default action answered here and every other question passed on
// to the proxy. Late-bound clients ask through IDispatch, which oleacc's own description of
// IAccessible turns into calls of this object, so that every client hears the same answers.
//
// Each WM_GETOBJECT makes a new one, which the client's reference alone keeps alive. It holds
// window handles and values, never the window's own state, so it outlives its window safely: once
// the window is gone, every question about the object is answered CO_E_OBJNOTCONNECTED.
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

// A late-bound client may leave the child out, which means the object itself.
bool IsSelf(const VARIANT& child) {
  return (child.vt == VT_I4 && child.lVal == CHILDID_SELF) || child.vt == VT_EMPTY ||
         (child.vt == VT_ERROR && child.scode == DISP_E_PARAMNOTFOUND);
}

// Oleacc's description of IAccessible, read from the system folder's copy alone: a type library
// planted where a search would look first could describe the calls wrongly. Null where the system
// has none.
ComPtr<ITypeInfo> AccessibleTypeInfo() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  ComPtr<ITypeLib> library;
  ComPtr<ITypeInfo> info;
  if (length == 0 || length >= MAX_PATH) return info;
  const std::wstring path = std::wstring(folder, length) + L"\\oleacc.dll";
  if (SUCCEEDED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put()))) {
    library->GetTypeInfoOfGuid(__uuidof(IAccessible), info.put());
  }
  return info;
}

// What an answer about an object whose window has gone leaves in its out-parameters.
void Empty(BSTR* text) {
  if (text) *text = nullptr;
}
void Empty(VARIANT* value) {
  if (value) VariantInit(value);
}
void Empty(IDispatch** object) {
  if (object) *object = nullptr;
}
void Empty(long* number) {
  if (number) *number = 0;
}
template <typename... Out>
HRESULT NotConnected(Out*... out) {
  (Empty(out), ...);
  return CO_E_OBJNOTCONNECTED;
}

// A COM object is deleted only by its own Release, never through an interface pointer, so the
// interfaces' destructors need not be virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class Accessible final : public IAccessible, public IOleWindow {
 public:
  // `role` 0 keeps the proxy's role; a link is linked, and clicking it is its default action.
  Accessible(ComPtr<IAccessible> system, HWND window, HWND nameFrom, LONG role)
      : system_(std::move(system)),
        window_(window),
        nameFrom_(nameFrom),
        role_(role),
        link_(role == ROLE_SYSTEM_LINK) {}

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
    *window = Gone() ? nullptr : window_;
    return *window ? S_OK : CO_E_OBJNOTCONNECTED;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // What is answered here.
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    if (Gone() || (IsSelf(child) && !IsWindow(nameFrom_))) return NotConnected(name);
    if (!IsSelf(child)) return system_->get_accName(child, name);
    if (!name) return E_POINTER;
    *name = nullptr;
    const int length = GetWindowTextLengthW(nameFrom_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(nameFrom_, text.data(), length + 1)));
    if (text.empty()) return S_FALSE;
    *name = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    if (Gone()) return NotConnected(role);
    if (!IsSelf(child) || role_ == 0) return system_->get_accRole(child, role);
    if (!role) return E_POINTER;
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = role_;
    return S_OK;
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (Gone()) return NotConnected(action);
    if (!IsSelf(child) || !link_) return system_->get_accDefaultAction(child, action);
    if (!action) return E_POINTER;
    *action = SysAllocString(kClick);
    return *action ? S_OK : E_OUTOFMEMORY;
  }
  // Returns at once: the click is posted, and whatever it opens runs after this call is over.
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    if (Gone()) return NotConnected();
    if (!IsSelf(child) || !link_) return system_->accDoDefaultAction(child);
    return PostLabel3dClick(window_) ? S_OK : CO_E_OBJNOTCONNECTED;
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    if (Gone()) return NotConnected(state);
    const HRESULT result = system_->get_accState(child, state);
    if (SUCCEEDED(result) && link_ && IsSelf(child) && state && state->vt == VT_I4) {
      state->lVal |= STATE_SYSTEM_LINKED;
    }
    return result;
  }

  // Late-bound questions become calls of this object, as oleacc's description of IAccessible has
  // them. Where there is no description, nothing is answered late-bound rather than the proxy's
  // answers, which would not be this object's.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = TypeInfo() ? 1 : 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = index == 0 ? TypeInfo() : nullptr;
    if (!*info) return DISP_E_BADINDEX;
    (*info)->AddRef();
    return S_OK;
  }
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return TypeInfo() ? DispGetIDsOfNames(TypeInfo(), names, count, ids) : E_NOTIMPL;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                      VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!TypeInfo()) return E_NOTIMPL;
    return TypeInfo()->Invoke(static_cast<IAccessible*>(this), id, flags, parameters, result,
                              exception, badArgument);
  }

  // Everything else is the system's, while the window is there.
  STDMETHODIMP get_accParent(IDispatch** parent) override {
    return Gone() ? NotConnected(parent) : system_->get_accParent(parent);
  }
  STDMETHODIMP get_accChildCount(long* count) override {
    return Gone() ? NotConnected(count) : system_->get_accChildCount(count);
  }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
    return Gone() ? NotConnected(object) : system_->get_accChild(child, object);
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    return Gone() ? NotConnected(value) : system_->get_accValue(child, value);
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override {
    return Gone() ? NotConnected(description) : system_->get_accDescription(child, description);
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override {
    return Gone() ? NotConnected(help) : system_->get_accHelp(child, help);
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return Gone() ? NotConnected(file, topic) : system_->get_accHelpTopic(file, child, topic);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return Gone() ? NotConnected(shortcut) : system_->get_accKeyboardShortcut(child, shortcut);
  }
  STDMETHODIMP get_accFocus(VARIANT* focus) override {
    return Gone() ? NotConnected(focus) : system_->get_accFocus(focus);
  }
  STDMETHODIMP get_accSelection(VARIANT* selection) override {
    return Gone() ? NotConnected(selection) : system_->get_accSelection(selection);
  }
  STDMETHODIMP accSelect(long flags, VARIANT child) override {
    return Gone() ? NotConnected() : system_->accSelect(flags, child);
  }
  STDMETHODIMP accLocation(long* left, long* top, long* width, long* height,
                           VARIANT child) override {
    if (Gone()) return NotConnected(left, top, width, height);
    return system_->accLocation(left, top, width, height, child);
  }
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return Gone() ? NotConnected(end) : system_->accNavigate(direction, start, end);
  }
  STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override {
    return Gone() ? NotConnected(child) : system_->accHitTest(x, y, child);
  }
  STDMETHODIMP put_accName(VARIANT child, BSTR name) override {
    return Gone() ? NotConnected() : system_->put_accName(child, name);
  }
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) override {
    return Gone() ? NotConnected() : system_->put_accValue(child, value);
  }

 private:
  ~Accessible() = default;

  bool Gone() const { return !IsWindow(window_); }
  // Read when a late-bound client first asks.
  ITypeInfo* TypeInfo() {
    if (!typeInfoRead_) typeInfo_ = AccessibleTypeInfo();
    typeInfoRead_ = true;
    return typeInfo_.get();
  }

  std::atomic<ULONG> references_{1};
  ComPtr<IAccessible> system_;
  HWND window_;
  HWND nameFrom_;
  LONG role_;
  bool link_;
  ComPtr<ITypeInfo> typeInfo_;
  bool typeInfoRead_ = false;
};
#pragma GCC diagnostic pop

LRESULT Answer(HWND window, WPARAM flags, HWND nameFrom, LONG role) {
  ComPtr<IAccessible> system;
  if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(system.put())))) {
    return 0;
  }
  auto* accessible = new (std::nothrow) Accessible(std::move(system), window, nameFrom, role);
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
  return Answer(label, flags, label,
                role == LabelRole::kLink ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT);
}

LRESULT LabelledAccessibleObject(HWND control, WPARAM flags, HWND label) {
  return Answer(control, flags, label, 0);
}

}  // namespace calmora::win32
