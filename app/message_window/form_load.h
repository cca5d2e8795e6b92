// The message window's load sequence: everything the program does before its window is shown.
#pragma once

#include "app/message_window/message_edit_box.h"
#include "app/services.h"
#include "store/loaded_message.h"

namespace calmora {

// Runs the sequence in its fixed order. Failures leave as RuntimeError, except that reading the
// stored message into the box may fail quietly: the box then stays empty. The result says what
// the box was given, for OKAY to compare with.
LoadedMessage Form_Load(const Services& services, MessageEditBox& messageBox);

}  // namespace calmora
