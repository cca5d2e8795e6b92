#include "tests/e2e/driver/accessibility.h"

#include <oleacc.h>

#include "platform/win32/com_ptr.h"

namespace calmora::e2e {
namespace {

// The client area's object, which is what a screen reader reads of a control.
win32::ComPtr<IAccessible> ObjectOf(HWND control) {
  win32::ComPtr<IAccessible> object;
  AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                             reinterpret_cast<void**>(object.put()));
  return object;
}

VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

// Asks for one text of the object's own and takes it over; nothing when there is none.
template <typename Question>
std::wstring Text(Question question) {
  BSTR text = nullptr;
  const HRESULT result = question(&text);
  std::wstring taken = SUCCEEDED(result) && text ? std::wstring(text, SysStringLen(text)) : L"";
  SysFreeString(text);
  return taken;
}

}  // namespace

AccessibleReading ReadAccessible(HWND control) {
  const win32::ComApartment apartment;
  AccessibleReading reading;
  const auto object = ObjectOf(control);
  if (!object) return reading;
  const VARIANT self = Self();
  reading.name = Text([&](BSTR* text) { return object->get_accName(self, text); });
  reading.defaultAction =
      Text([&](BSTR* text) { return object->get_accDefaultAction(self, text); });
  VARIANT role{};
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) reading.role = role.lVal;
  VariantClear(&role);
  return reading;
}

HRESULT DoDefaultAction(HWND control) {
  const win32::ComApartment apartment;
  const auto object = ObjectOf(control);
  return object ? object->accDoDefaultAction(Self()) : E_NOINTERFACE;
}

}  // namespace calmora::e2e
