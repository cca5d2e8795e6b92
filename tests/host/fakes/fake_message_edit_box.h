// The message box of the message window, as a string that can be told to refuse new text.
#pragma once

#include <string>

#include "app/message_window/message_edit_box.h"
#include "tests/host/fakes/fake_file_system.h"

namespace calmora::testing {

class FakeMessageEditBox final : public MessageEditBox {
 public:
  std::wstring text;
  bool refuseText = false;
  int setCount = 0;

  std::wstring Text() const override { return text; }
  std::span<wchar_t> Reserve(std::size_t capacity) override {
    room_.assign(capacity, L'\0');
    return room_;
  }
  void Commit(std::size_t length) override {
    ++setCount;
    if (refuseText) ThrowFake(8);  // not enough memory
    text = room_.substr(0, length);
  }

 private:
  std::wstring room_;
};

}  // namespace calmora::testing
