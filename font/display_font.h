// The heading's typeface, Elephant: its TrueType file travels beside the program, is copied into
// the system font folder when it is missing there, and is made available to this process.
#pragma once

#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/font_table.h"
#include "platform/program_location.h"

namespace calmora {

// When "ELEPHNT.TTF" lies in the program's folder: copies it to "WinDir" + "\Fonts\" when it is
// missing there, and then adds the file in the font folder, copied now or already there, to this
// process's fonts. A font file already there is never compared or replaced, and nothing is
// registered: a file copied into the font folder is not in the system's font table, so without
// the process's own copy the heading would never show the face.
//
// A copy that fails (a standard user may not write the font folder) is passed over, and tried
// again at the next start: the file beside the program is then added to this process's fonts
// instead, so the heading shows its face whatever the account's rights. A file that holds no font
// that can be loaded is passed over too; the heading then keeps whatever face the system gives
// it, which is far better than never showing the message.
void ProvisionDisplayFont(FileSystem& files, const Environment& environment,
                          const ProgramLocation& program, FontTable& fonts);

}  // namespace calmora
