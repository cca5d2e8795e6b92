// The heading's typeface, Elephant: its TrueType file travels beside the program and is copied
// into the system font folder when it is missing there.
#pragma once

#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/program_location.h"

namespace calmora {

// Copies "ELEPHNT.TTF" from the program's folder to "WinDir" + "\Fonts\" when it is in the one
// and not the other. A font file already there is never compared or replaced, and nothing is
// registered: the system picks the file up from its font folder by itself.
//
// A copy that fails (an account that may not write the font folder) is passed over, and tried
// again at the next start: the heading then keeps whatever face the system gives it, which is
// far better than never showing the message at all.
void ProvisionDisplayFont(FileSystem& files, const Environment& environment,
                          const ProgramLocation& program);

}  // namespace calmora
