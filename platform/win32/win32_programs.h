// The session's processes through the tool-help snapshot, and a start through CreateProcessW.
#pragma once

#include "platform/programs.h"

namespace calmora::win32 {

class Win32Programs final : public Programs {
 public:
  bool RunsInThisSession(const std::wstring& path) const override;
  bool Start(const std::wstring& path, const std::wstring& workingFolder) override;
};

}  // namespace calmora::win32
