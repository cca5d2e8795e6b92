// What the OKAY button does before the message window unloads: store the message box's text.
#pragma once

#include "app/message_window/message_edit_box.h"
#include "app/services.h"
#include "store/loaded_message.h"

namespace calmora {

// Stores the box's text unless it is exactly what the start put there (or the box is still empty
// over a message that could not be shown): then the file keeps its bytes and its time stamp. With
// no file at the start, a box still empty makes an empty file only where there is still none, so a
// message that arrived while the window was open is kept. The message folder is not made here:
// the load sequence made it, and when it has gone since, the save fails.
void Okay_Button_Click(const Services& services, const MessageEditBox& messageBox,
                       const LoadedMessage& loaded);

}  // namespace calmora
