// The real main window in the test process, on the real platform (Wine's
// registry, file system, shell and message boxes), driven with messages.
// Exit is recorded instead of ending the process.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/form1.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_instance.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_restore_point.h"
#include "platform/win32/win32_shell.h"
#include "tests/support/message_box_watcher.h"
#include "tests/support/pixels.h"
#include "tests/support/pump.h"

namespace testsupport {

namespace fs = std::filesystem;

// A folder that one test owns: removed (and made afresh when `make` says so)
// now, and removed at the end.
class OwnedFolder {
 public:
  OwnedFolder(fs::path path, bool make) : path_(std::move(path)) {
    fs::remove_all(path_, error_);
    if (make) fs::create_directories(path_, error_);
  }
  ~OwnedFolder() { fs::remove_all(path_, error_); }
  OwnedFolder(const OwnedFolder&) = delete;
  OwnedFolder& operator=(const OwnedFolder&) = delete;

  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
  std::error_code error_;
};

// Processes started by this process and by what it starts. The test process
// joins a job object on first use; the job counts every process that ever
// belonged to it, also the registry editor that the shell starts for Restore.
inline DWORD StartedProcesses() {
  static const HANDLE job = [] {
    HANDLE created = CreateJobObjectA(nullptr, nullptr);
    return created && AssignProcessToJobObject(created, GetCurrentProcess()) ? created : nullptr;
  }();
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
  if (!job || !QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof(info), nullptr)) {
    ADD_FAILURE() << "the test process cannot count the processes it starts";
  }
  return info.TotalProcesses;
}

class WindowTest : public ::testing::Test {
 protected:
  // The program's window and its Tab handling in every message loop, as
  // main() sets them up.
  void SetUp() override {
    pump_.SetDialogKeys([this](const MSG& message) { return form_ && form_->PreTranslateMessage(message); });
    Open();
  }

  // A fresh window, as after a start of the program.
  void Open() {
    form_.reset();
    form_ = std::make_unique<app::Form1>(app::Form1Platform{registry_, pump_, boxes_, files_, clock_, restorePoint_,
                                                            shell_, instance_, "C:\\Program Files\\Hivesweep",
                                                            [this] { ended_ = true; }});
    ASSERT_TRUE(form_->Load(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
    boxes_.SetOwner(form_->Handle());
    shell_.SetOwner(form_->Handle());
    SetForegroundWindow(form_->Handle());
    Pump(50);
  }

  app::Form1& Form() { return *form_; }
  HWND ButtonWindow(app::CommandButton button) { return form_->ButtonOf(button).hwnd(); }
  // A click as a standard button takes it; the handler runs inside this call.
  void Click(app::CommandButton button) { SendMessageA(ButtonWindow(button), BM_CLICK, 0, 0); }

  // Twips in pixels at a DPI (the window's when 0): 1440 / DPI twips a pixel.
  int Px(int twips, UINT dpi = 0) {
    return static_cast<int>(std::lround(twips * static_cast<double>(dpi ? dpi : form_->Dpi()) / 1440));
  }
  // A twips rectangle of a container in the container's client pixels.
  RECT At(int left, int top, int width, int height, UINT dpi = 0) {
    return {Px(left, dpi), Px(top, dpi), Px(left + width, dpi), Px(top + height, dpi)};
  }

  // Clicks a button while a watcher answers the boxes it shows (`answers`, then
  // the default button); the boxes seen.
  std::vector<SeenBox> ClickAnswering(app::CommandButton button, std::initializer_list<int> answers = {}) {
    MessageBoxWatcher watcher;
    watcher.Answer(answers);
    Click(button);
    return watcher.Seen();
  }

  // Pixels of a client rectangle of a window that the screen shows near a
  // colour, and the longest horizontal run of them (an underline's).
  struct Ink {
    int pixels = 0;
    int longestRun = 0;
  };
  static Ink InkOf(HWND window, const RECT& r, COLORREF color) {
    Ink ink;
    HDC dc = GetDC(window);
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left, run = 0; x < r.right; ++x) {
        run = NearColor(GetPixel(dc, x, y) & 0xFFFFFF, color, 8) ? run + 1 : 0;
        ink.pixels += run > 0;
        ink.longestRun = std::max(ink.longestRun, run);
      }
    }
    ReleaseDC(window, dc);
    return ink;
  }

  // The window as the screen shows it, for a person (and the help file).
  void Screenshot(const std::string& name) { EXPECT_TRUE(testsupport::Screenshot(form_->Handle(), name)) << name; }

  // What the window shows once a scan has ended.
  void ExpectResultState() {
    using app::CommandButton;
    EXPECT_EQ(Form().Session().State(), app::ScanState::kStopped);
    for (CommandButton b : {CommandButton::Start, CommandButton::UndoCenter, CommandButton::Exit,
                            CommandButton::SelectAll, CommandButton::Unselect, CommandButton::Delete}) {
      EXPECT_TRUE(IsWindowEnabled(ButtonWindow(b))) << static_cast<int>(b);
    }
    EXPECT_FALSE(IsWindowEnabled(ButtonWindow(CommandButton::Stop)));
    EXPECT_FALSE(Form().TimerEnabled());
    EXPECT_EQ(Form().ProgressPosition(), 100);
    EXPECT_TRUE(IsWindowVisible(Form().ResultHeader().Handle()));
    EXPECT_FALSE(IsWindowVisible(Form().ScanningHeader().Handle()));
    EXPECT_EQ(Form().ResultHeader().LabelText(app::Form1::ErrorCountLabelId()),
              std::to_string(Form().ErrorList().Count()));
    EXPECT_FALSE(Form().ScanListFrame().LabelVisible(app::Form1::CurrentKeyLabelId()));
    EXPECT_EQ(Form().ScanListFrame().LabelWidth(app::Form1::StatusLabelId()), 3000);
  }

  platform::Win32Registry registry_;
  platform::Win32MessagePump pump_;
  platform::Win32MessageBoxes boxes_;
  platform::Win32FileSystem files_;
  platform::Win32Clock clock_;
  platform::Win32RestorePoint restorePoint_;
  platform::Win32Shell shell_;
  platform::Win32InstanceGuard instance_{"Local\\Hivesweep.WindowTests"};  // a name no other process holds
  std::unique_ptr<app::Form1> form_;
  std::atomic<bool> ended_{false};
};

}  // namespace testsupport
