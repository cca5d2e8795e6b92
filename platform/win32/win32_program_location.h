// The running executable's folder and name, from the module's own path.
#pragma once

#include "platform/program_location.h"

namespace calmora::win32 {

class Win32ProgramLocation final : public ProgramLocation {
 public:
  std::wstring OwnFolder() const override;
  std::wstring OwnFileName() const override;
};

// The full path of the running executable.
std::wstring ExecutablePath();

}  // namespace calmora::win32
