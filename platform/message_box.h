// The modal message-box facility. Flags and answers have the platform's values.
#pragma once

#include <string>

namespace platform {

namespace mb {
constexpr unsigned kOk = 0x0;
constexpr unsigned kOkCancel = 0x1;
constexpr unsigned kYesNo = 0x4;
constexpr unsigned kIconExclamation = 0x30;
constexpr unsigned kIconInformation = 0x40;
constexpr unsigned kDefaultButton1 = 0x0;

constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;
}  // namespace mb

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and returns the answer (the button pressed); any failure to
  // show it returns 0.
  virtual int Show(const std::string& text, const std::string& title, unsigned flags) = 0;
};

}  // namespace platform
