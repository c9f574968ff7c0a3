// The real main window in the test process, on the real platform (Wine's
// registry, file system, shell and message boxes), driven with messages.
// Exit is recorded instead of ending the process.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/win32/form1.h"
#include "engine/stop_scan.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_restore_point.h"
#include "platform/win32/win32_shell.h"
#include "tests/wine/png_file.h"

namespace testsupport {

class NoOtherInstance final : public platform::InstanceGuard {
 public:
  bool AnotherInstanceRunning() const override { return false; }
};

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override { Open(); }
  void TearDown() override { form_.reset(); }

  // A fresh window, as after a start of the program.
  void Open() {
    form_.reset();
    ended_ = false;
    form_ = std::make_unique<app::Form1>(app::Form1Platform{registry_, pump_, boxes_, files_, clock_, restorePoint_,
                                                            shell_, instance_, "C:\\Program Files\\Hivesweep",
                                                            [this] { ended_ = true; }});
    ASSERT_TRUE(form_->Load(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
    boxes_.SetOwner(form_->Handle());
    shell_.SetOwner(form_->Handle());
    SetForegroundWindow(form_->Handle());
    Pump();
  }

  app::Form1& Form() { return *form_; }
  HWND ButtonWindow(app::CommandButton button) { return form_->ButtonOf(button).hwnd(); }

  // A click as a standard button takes it; the handler runs inside this call.
  void Click(app::CommandButton button) { SendMessageA(ButtonWindow(button), BM_CLICK, 0, 0); }

  // Posts a click from another thread once `when` holds (checked every few
  // milliseconds), so that it arrives inside the running scan's message
  // processing.
  std::thread ClickWhen(app::CommandButton button, std::function<bool()> when) {
    HWND target = ButtonWindow(button);
    return std::thread([target, when] {
      const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
      while (!when() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(5));
      PostMessageA(target, BM_CLICK, 0, 0);
    });
  }

  static void Pump(int milliseconds = 50) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < until);
  }

  // Writes the window as it stands into the test's artefact folder.
  void Screenshot(const std::string& name) {
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(300);
    CreateDirectoryA("screenshots", nullptr);
    EXPECT_TRUE(WriteWindowPng(form_->Handle(), "screenshots\\" + name + ".png"));
  }

  platform::Win32Registry registry_;
  platform::Win32MessagePump pump_;
  platform::Win32MessageBoxes boxes_;
  platform::Win32FileSystem files_;
  platform::Win32Clock clock_;
  platform::Win32RestorePoint restorePoint_;
  platform::Win32Shell shell_;
  NoOtherInstance instance_;
  std::unique_ptr<app::Form1> form_;
  std::atomic<bool> ended_{false};
};

}  // namespace testsupport
