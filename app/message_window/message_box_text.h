// The message box as the handlers see it: text to show and text to save.
#pragma once

#include <string>

namespace calmora {

class MessageBoxText {
 public:
  virtual ~MessageBoxText() = default;
  virtual std::wstring Text() const = 0;
  // May fail (a text too large for the control); the load sequence absorbs that.
  virtual void SetText(const std::wstring& text) = 0;
};

}  // namespace calmora
