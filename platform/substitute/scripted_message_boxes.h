// Message boxes answered from a script, recording what was asked.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace platform {

class ScriptedMessageBoxes final : public MessageBoxes {
 public:
  struct Asked {
    std::string text;
    std::string title;
    unsigned flags;
  };

  int Show(const std::string& text, const std::string& title, unsigned flags) override {
    asked.push_back({text, title, flags});
    if (whileOpen) whileOpen();
    if (answers.empty()) return 0;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<int> answers;           // given in order; 0 once they run out
  std::vector<Asked> asked;
  std::function<void()> whileOpen;   // runs while a box is "open"
};

}  // namespace platform
