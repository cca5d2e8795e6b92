// Reads the process's environment variables.
#pragma once

#include <string>
#include <string_view>

namespace calmora {

class Environment {
 public:
  virtual ~Environment() = default;
  // The variable's value, or empty text when it is not set.
  virtual std::wstring Read(std::wstring_view name) const = 0;
};

}  // namespace calmora
