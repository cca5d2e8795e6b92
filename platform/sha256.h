// SHA-256 of a run of bytes: the fingerprint by which the login companion knows a message again.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace calmora {

using Sha256Digest = std::array<std::uint8_t, 32>;

// Failures are RuntimeErrors carrying the system's error number.
class Sha256 {
 public:
  virtual ~Sha256() = default;
  virtual Sha256Digest Digest(std::string_view bytes) const = 0;
};

}  // namespace calmora
