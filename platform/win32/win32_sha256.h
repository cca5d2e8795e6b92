// SHA-256 through the system's cryptography (CNG), which needs Windows 10.
#pragma once

#include "platform/sha256.h"

namespace calmora::win32 {

class Win32Sha256 final : public Sha256 {
 public:
  Sha256Digest Digest(std::string_view bytes) const override;
};

}  // namespace calmora::win32
