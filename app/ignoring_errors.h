// The program's handlers ignore errors step by step: a step that fails is
// skipped and the next one runs.
#pragma once

namespace app {

template <typename Action>
void Step(Action&& step) noexcept {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace app
