// Processes the thread's pending window messages, as a modal loop would.
//
// Long work on the user-interface thread (a scan calls this twice per
// registry key) asks the queue first (GetQueueStatus) and peeks only when it
// holds something, or when kPeekIntervalMs have passed since the last peek:
// the queue does not yet hold input that the window system has not handed
// over (under Wine, the X server's events are read only while messages are
// peeked). Whatever is pending, paints included, is dispatched at every call.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/message_pump.h"

struct tagMSG;  // MSG, without <windows.h>

namespace platform {

class Win32MessagePump final : public MessagePump {
 public:
  // Keys a window's message loop takes before translation (Tab between its
  // controls, as a dialog's loop does): true when the message is taken.
  using DialogKeys = std::function<bool(const tagMSG&)>;
  void SetDialogKeys(DialogKeys keys) { dialogKeys_ = std::move(keys); }

  static constexpr std::uint64_t kPeekIntervalMs = 10;

  void ProcessPending() override;

 private:
  std::uint64_t lastPeekMs_ = 0;
  DialogKeys dialogKeys_;
};

}  // namespace platform
