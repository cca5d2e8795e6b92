// Environment variables of the running process.
#pragma once

#include "platform/environment.h"

namespace calmora::win32 {

class Win32Environment final : public Environment {
 public:
  std::wstring Read(std::wstring_view name) const override;
};

}  // namespace calmora::win32
