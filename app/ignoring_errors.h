// The program's handlers ignore errors step by step: a step that fails is
// skipped and the next one runs; the debug output says what was skipped.
#pragma once

#include "platform/debug_trace.h"

namespace app {

template <typename Action>
void Step(Action&& step) noexcept {
  try {
    step();
  } catch (...) {
    platform::TraceIgnoredError("a step");
  }
}

}  // namespace app
