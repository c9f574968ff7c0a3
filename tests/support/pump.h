// Message processing for the Windows tests: everything queued for this
// thread, for a while, or until a condition holds.
#pragma once

#include <windows.h>

#include <chrono>
#include <thread>

namespace testsupport {

// Dispatches the messages of this thread for at least `milliseconds`
// (0: only what is queued now).
inline void Pump(int milliseconds = 0) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (true) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (std::chrono::steady_clock::now() >= until) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// Dispatches messages until `done` holds; false when `milliseconds` pass first.
template <typename Condition>
bool WaitUntil(Condition done, int milliseconds = 30000) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    Pump(20);
  }
  return true;
}

}  // namespace testsupport
