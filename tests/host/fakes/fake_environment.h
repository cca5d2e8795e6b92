// Environment variables held in a map.
#pragma once

#include <map>
#include <string>

#include "platform/environment.h"

namespace calmora::testing {

class FakeEnvironment final : public Environment {
 public:
  std::map<std::wstring, std::wstring, std::less<>> variables;

  std::wstring Read(std::wstring_view name) const override {
    const auto found = variables.find(name);
    return found == variables.end() ? std::wstring() : found->second;
  }
};

}  // namespace calmora::testing
