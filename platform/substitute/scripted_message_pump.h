// A message pump with no window behind it: each call runs the handlers a test
// has scheduled for it, standing in for the clicks and timer ticks that would
// be dispatched there.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/message_pump.h"

namespace platform {

class ScriptedMessagePump final : public MessagePump {
 public:
  using Handler = std::function<void()>;

  void ProcessPending() override {
    ++calls_;
    for (auto& handler : everyCall_) handler();
    auto scheduled = atCall_.find(calls_);
    if (scheduled != atCall_.end()) {
      Handler handler = std::move(scheduled->second);
      atCall_.erase(scheduled);
      handler();
    }
  }

  // Runs `handler` inside the n-th call (counting from 1).
  void At(std::size_t n, Handler handler) { atCall_[n] = std::move(handler); }
  // Runs `handler` inside every call.
  void OnEveryCall(Handler handler) { everyCall_.push_back(std::move(handler)); }
  std::size_t Calls() const { return calls_; }

 private:
  std::size_t calls_ = 0;
  std::map<std::size_t, Handler> atCall_;
  std::vector<Handler> everyCall_;
};

}  // namespace platform
