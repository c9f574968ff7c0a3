// Processes the thread's pending window messages, as a modal loop would.
#pragma once

#include "platform/message_pump.h"

namespace platform {

class Win32MessagePump final : public MessagePump {
 public:
  void ProcessPending() override;
};

}  // namespace platform
