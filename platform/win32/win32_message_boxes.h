// Modal message boxes owned by the program's window.
#pragma once

#include <windows.h>

#include "platform/message_box.h"

namespace platform {

class Win32MessageBoxes final : public MessageBoxes {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  int Show(const std::string& text, const std::string& title, unsigned flags) override {
    return MessageBoxA(owner_, text.c_str(), title.c_str(), flags);
  }

 private:
  HWND owner_ = nullptr;
};

}  // namespace platform
