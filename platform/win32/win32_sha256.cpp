#include "platform/win32/win32_sha256.h"

#include <windows.h>

#include <bcrypt.h>

#include <cstdint>
#include <limits>

#include "platform/win32/win32_error.h"

namespace calmora::win32 {
namespace {

// Windows 10's pseudo-handle for SHA-256 (BCRYPT_SHA256_ALG_HANDLE, which MinGW's headers lack):
// no provider to open, nor to close on every path.
BCRYPT_ALG_HANDLE Sha256Algorithm() {
  return reinterpret_cast<BCRYPT_ALG_HANDLE>(static_cast<std::uintptr_t>(0x41));
}

}  // namespace

Sha256Digest Win32Sha256::Digest(std::string_view bytes) const {
  if (bytes.size() > std::numeric_limits<ULONG>::max()) ThrowError(ERROR_FILE_TOO_LARGE);
  Sha256Digest digest{};
  // BCryptHash only reads its input, but is declared to take it writable.
  const NTSTATUS status =
      BCryptHash(Sha256Algorithm(), nullptr, 0,
                 const_cast<PUCHAR>(reinterpret_cast<const UCHAR*>(bytes.data())),
                 static_cast<ULONG>(bytes.size()), digest.data(), digest.size());
  if (status < 0) ThrowError(static_cast<DWORD>(status));
  return digest;
}

}  // namespace calmora::win32
