// The running executable's folder and name, as a test wants them.
#pragma once

#include <string>

#include "platform/program_location.h"

namespace calmora::testing {

class FakeProgramLocation final : public ProgramLocation {
 public:
  std::wstring folder = L"C:\\Tools";
  std::wstring fileName = L"Calmora";
  std::wstring OwnFolder() const override { return folder; }
  std::wstring OwnFileName() const override { return fileName; }
};

}  // namespace calmora::testing
