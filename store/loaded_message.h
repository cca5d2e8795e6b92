// What the start put into the message box, kept until OKAY so that a box nobody touched is never
// written over the file: a user who may read a message but not change it can still acknowledge
// it, and a message that could not be shown is not replaced by an empty box.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "store/message_encoding.h"

namespace calmora {

// What OKAY does with the message file.
enum class OkayAction {
  kNothing,   // the file keeps its bytes and its time stamp
  kStoreBox,  // the file is replaced by the box's text
  // An empty file is made, but only while there is still none: a message that another program
  // wrote since the start is left as it is.
  kCreateEmptyIfNone,
};

class LoadedMessage {
 public:
  // No message file at the start: OKAY stores what someone typed, and an untouched empty box as a
  // zero-byte file unless a message has arrived meanwhile.
  static LoadedMessage NoFile() {
    return LoadedMessage(State::kNoFile, MessageEncoding::kAnsi, {});
  }
  // The file was there but its text could not be put into the box (too large, unreadable, or
  // empty): OKAY stores only what someone typed.
  static LoadedMessage NotShown() {
    return LoadedMessage(State::kNotShown, MessageEncoding::kAnsi, {});
  }
  // The box shows `text`, read in `encoding`: OKAY stores the box only when it differs.
  static LoadedMessage Shown(std::wstring_view text, MessageEncoding encoding) {
    return LoadedMessage(State::kShown, encoding, Fingerprint::Of(text));
  }

  OkayAction OkayDoes(std::wstring_view boxText) const;
  // The encoding the file was read in; a file that was not shown is saved as a new one.
  MessageEncoding ReadAs() const { return encoding_; }

 private:
  enum class State { kNoFile, kNotShown, kShown };

  // Only a fingerprint of the shown text is kept rather than a second copy of a message that may
  // run to many megabytes: its length and a 64-bit FNV-1a hash, so that an edit that still
  // matches both is a one-in-2^64 chance.
  struct Fingerprint {
    std::size_t length = 0;
    std::uint64_t hash = 0;
    static Fingerprint Of(std::wstring_view text);
    bool operator==(const Fingerprint&) const = default;
  };

  LoadedMessage(State state, MessageEncoding encoding, Fingerprint shown)
      : state_(state), encoding_(encoding), shown_(shown) {}

  State state_;
  MessageEncoding encoding_;
  Fingerprint shown_;
};

}  // namespace calmora
