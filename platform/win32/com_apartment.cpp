#include <objbase.h>

#include "platform/win32/com_ptr.h"

namespace calmora::win32 {

// The shell's link objects are apartment-threaded; the UI thread is the only thread there is.
ComApartment::ComApartment()
    : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment() {
  if (initialized_) CoUninitialize();
}

}  // namespace calmora::win32
