// Icons carried as the bytes of an .ico file (an RCDATA resource) rather than as an icon group,
// for windows whose icon must not become one of the executable's own icons.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

#include "platform/win32/unique_handle.h"

namespace calmora::win32 {

// An icon `size` pixels square from the image of an .ico file nearest that size, scaled when it
// differs. A file that is not an icon is a RuntimeError (ERROR_INVALID_DATA).
UniqueIcon IconFromIcoFile(std::span<const std::byte> file, int size);

// The same from the RCDATA resource `id` of `module`; a missing resource is a RuntimeError.
UniqueIcon LoadIcoResource(HMODULE module, int id, int size);

}  // namespace calmora::win32
