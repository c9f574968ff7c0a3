// The message-pump facility: "process pending window messages". Work that runs
// on the user-interface thread calls it to keep the window alive; handlers of
// the messages it dispatches (a Stop click, a timer tick) run nested inside.
#pragma once

namespace platform {

class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void ProcessPending() = 0;
};

}  // namespace platform
