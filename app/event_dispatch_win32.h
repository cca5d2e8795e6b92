// Every event handler runs through here: a failure that no handler dealt with is reported with
// its number and text, and then the program ends, saving nothing.
#pragma once

#include <utility>

namespace calmora {

// Reports the exception being handled and ends the program. A RuntimeError is reported as it is,
// running out of memory under the system's number for it, and any other exception as an internal
// error with whatever text it carries: no failure ends the program without a word.
[[noreturn]] void ReportCurrentExceptionAndEnd() noexcept;

template <typename Handler>
void Dispatch(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    ReportCurrentExceptionAndEnd();
  }
}

}  // namespace calmora
