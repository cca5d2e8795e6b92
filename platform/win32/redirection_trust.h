// Junctions that a standard user made are not followed by this process, where Windows offers that
// (Windows 11 22H2 and later): a second guard for an elevated Calmora, behind saving through the
// message folder's handle.
#pragma once

namespace calmora::win32 {

// Turns the mitigation on for the rest of the process's life. Where the system refuses it (an
// older Windows, Wine), the process goes on without it.
void IgnoreJunctionsMadeByStandardUsers();

}  // namespace calmora::win32
