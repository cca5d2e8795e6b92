// The message box as the handlers see it: the text it shows, to be saved, and room to read the
// stored message straight into.
#pragma once

#include <string>

#include "store/message_file.h"

namespace calmora {

// Reserving and committing text may fail (a text too large for the box); the load sequence
// absorbs that.
class MessageEditBox : public TextReceiver {
 public:
  virtual std::wstring Text() const = 0;
};

}  // namespace calmora
