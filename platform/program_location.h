// Where the running executable is and what it is called; read afresh at every call, because
// shortcuts must point at the executable that made them under whatever name it runs.
#pragma once

#include <string>

namespace calmora {

class ProgramLocation {
 public:
  virtual ~ProgramLocation() = default;
  // The folder holding the running executable, without a trailing backslash.
  virtual std::wstring OwnFolder() const = 0;
  // The executable's file name without folder and without extension.
  virtual std::wstring OwnFileName() const = 0;
};

}  // namespace calmora
