#include "tests/e2e/driver/accessibility.h"

#include <oleacc.h>

#include "platform/win32/com_ptr.h"

namespace calmora::e2e {
namespace {

using win32::ComPtr;

// The client area's object, which is what a screen reader reads of a control.
ComPtr<IAccessible> ObjectOf(HWND control) {
  ComPtr<IAccessible> object;
  AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                             reinterpret_cast<void**>(object.put()));
  return object;
}

VARIANT Self() {
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

std::wstring Take(BSTR text) {
  std::wstring taken = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return taken;
}

}  // namespace

AccessibleReading ReadAccessible(HWND control) {
  const win32::ComApartment apartment;
  AccessibleReading reading;
  const ComPtr<IAccessible> object = ObjectOf(control);
  if (!object) return reading;
  BSTR text = nullptr;
  if (SUCCEEDED(object->get_accName(Self(), &text))) reading.name = Take(text);
  VARIANT role;
  VariantInit(&role);
  if (SUCCEEDED(object->get_accRole(Self(), &role)) && role.vt == VT_I4) reading.role = role.lVal;
  VariantClear(&role);
  text = nullptr;
  if (SUCCEEDED(object->get_accDefaultAction(Self(), &text))) reading.defaultAction = Take(text);
  return reading;
}

HRESULT DoDefaultAction(HWND control) {
  const win32::ComApartment apartment;
  const ComPtr<IAccessible> object = ObjectOf(control);
  return object ? object->accDoDefaultAction(Self()) : E_NOINTERFACE;
}

}  // namespace calmora::e2e
