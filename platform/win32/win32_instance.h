// The previous-instance test over a named mutex of the user's session: the
// first instance creates it and holds it for its lifetime; a later one finds
// it already there.
#pragma once

#include <windows.h>

#include "platform/instance.h"

namespace platform {

class Win32InstanceGuard final : public InstanceGuard {
 public:
  explicit Win32InstanceGuard(const char* name = "Local\\Hivesweep.SingleInstance")
      : mutex_(CreateMutexA(nullptr, FALSE, name)), existed_(GetLastError() == ERROR_ALREADY_EXISTS) {}
  ~Win32InstanceGuard() override {
    if (mutex_) CloseHandle(mutex_);
  }
  Win32InstanceGuard(const Win32InstanceGuard&) = delete;
  Win32InstanceGuard& operator=(const Win32InstanceGuard&) = delete;

  bool AnotherInstanceRunning() const override { return existed_; }

 private:
  HANDLE mutex_;
  bool existed_;
};

}  // namespace platform
