// Every event handler runs through here: a run-time error that no handler dealt with is reported
// with its number and text, and then the program ends, saving nothing.
#pragma once

#include <new>
#include <utility>

#include "platform/runtime_error.h"

namespace calmora {

[[noreturn]] void ReportRuntimeErrorAndEnd(const RuntimeError& error);
[[noreturn]] void ReportOutOfMemoryAndEnd();

template <typename Handler>
void Dispatch(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const RuntimeError& error) {
    ReportRuntimeErrorAndEnd(error);
  } catch (const std::bad_alloc&) {
    ReportOutOfMemoryAndEnd();
  }
}

}  // namespace calmora
