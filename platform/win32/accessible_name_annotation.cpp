#include "platform/win32/accessible_name_annotation.h"

#include <utility>

namespace calmora::win32 {
namespace {

constexpr LONG kClientArea = OBJID_CLIENT;

}  // namespace

bool AccessibleNameAnnotation::Annotate(HWND window, const wchar_t* name) {
  Clear();
  ComPtr<IAccPropServices> services;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(services.put()))) ||
      FAILED(services->SetHwndPropStr(window, static_cast<DWORD>(kClientArea), CHILDID_SELF,
                                      PROPID_ACC_NAME, name))) {
    return false;
  }
  services_ = std::move(services);
  window_ = window;
  return true;
}

void AccessibleNameAnnotation::Clear() noexcept {
  if (!services_) return;
  services_->ClearHwndProps(window_, static_cast<DWORD>(kClientArea), CHILDID_SELF,
                            &PROPID_ACC_NAME, 1);
  services_.reset();
  window_ = nullptr;
}

}  // namespace calmora::win32
