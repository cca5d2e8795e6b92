// What the OKAY button does before the message window unloads: store the message box's text.
#pragma once

#include "app/message_window/message_box_text.h"
#include "app/services.h"

namespace calmora {

// Saves on every press, changed or not. The message folder is not made here: the load sequence
// made it, and when it has gone since, the save fails.
void Okay_Button_Click(const Services& services, const MessageBoxText& messageBox);

}  // namespace calmora
