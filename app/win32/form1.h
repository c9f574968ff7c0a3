// Form1: the program's one window. A banner with the Home and Help links, a
// side panel, three panels that take turns in the content area (welcome, scan
// and results, Undo Center) and a strip of command buttons. It owns every
// control and connects their events to the scan session, the removal and the
// Undo Center. Every position is in twips, laid out at the window's DPI, and
// again at the one a WM_DPICHANGED brings.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/error_removal.h"
#include "app/main_view.h"
#include "app/scan_session.h"
#include "app/undo_center.h"
#include "app/win32/panel.h"
#include "app/win32/win32_list_view.h"
#include "controls/button.h"
#include "controls/gdi_handles.h"
#include "controls/line_3d.h"
#include "controls/window_class.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/instance.h"
#include "platform/message_box.h"
#include "platform/message_pump.h"
#include "platform/registry.h"
#include "platform/restore_point.h"
#include "platform/shell.h"
#include "platform/win32/win32_code_page.h"

namespace app {

struct Form1Platform {
  platform::Registry& registry;
  platform::MessagePump& pump;
  platform::MessageBoxes& boxes;
  platform::FileSystem& files;
  platform::Clock& clock;
  platform::RestorePoint& restorePoint;
  platform::Shell& shell;
  const platform::InstanceGuard& instance;
  // The folder holding the program, without a trailing backslash.
  std::string applicationFolder;
  // How Exit ends the program: at once, with no further window events.
  std::function<void()> endProgram;
  // The system ANSI code page, by which the scan and the removal match, cut,
  // split and escape texts.
  const platform::CodePage& codePage = platform::Win32CodePage::System();
};

extern const char kHomeAddress[];

class Form1 final : public MainView, private controls::WindowHandler {
 public:
  explicit Form1(const Form1Platform& platform);
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Window load. False when another instance runs: the user has been told,
  // and this one must end without showing a window.
  bool Load(HINSTANCE instance, int showCommand);
  HWND Handle() const { return window_; }
  UINT Dpi() const { return dpi_; }

  // For the message loops (the program's own and the scan's message
  // processing), before a message is translated: Tab and Shift+Tab move the
  // focus through the controls. True when the message is taken.
  bool PreTranslateMessage(const MSG& message);

  // --- MainView ---
  void ShowScanPanel() override;
  void SetTimerEnabled(bool enabled) override;
  void ShowScanningHeader(bool scanning) override;
  void SetCurrentKeyVisible(bool visible) override;
  void SetCurrentKey(const std::string& text) override;
  void SetCurrentKeyFont(int points, bool bold) override;
  void SetStatusWidth(int twips) override;
  void SetStatus(const std::string& text) override;
  void SetErrorCount(const std::string& text) override;
  void SetButtonEnabled(CommandButton button, bool enabled) override;
  void RestButton(CommandButton button) override;
  int ProgressPosition() const override;
  int ProgressMaximum() const override;
  void SetProgressPosition(int position) override;
  void ShowUndoPanel() override;
  void EndProgram() override;

  // --- what tests and screenshots look at ---
  controls::Button& ButtonOf(CommandButton button) { return *buttons_[static_cast<std::size_t>(button)]; }
  Win32ListView& ErrorList() { return *lvErrorRegKey_; }
  Win32ListView& UndoList() { return *lstUndo_; }
  const ScanSession& Session() const { return *session_; }
  bool TimerEnabled() const { return timerEnabled_; }
  bool HandCursorShown() const { return handCursor_; }
  Panel& Banner() { return *banner_; }
  Panel& WelcomePanel() { return *panel1_; }
  Panel& ScanPanel() { return *panel2_; }
  Panel& UndoPanel() { return *panel3_; }
  Panel& ScanningHeader() { return *frameScanning_; }
  Panel& ResultHeader() { return *frameResult_; }
  Panel& ScanListFrame() { return *scanListFrame_; }
  Panel& UndoListFrame() { return *undoListFrame_; }
  Panel& SidePanel() { return *sidePanel_; }
  Panel& BottomStrip() { return *bottomStrip_; }
  controls::Line_3D& Separator() { return *separator_; }
  static int HomeLabelId();
  static int HelpLabelId();
  static int TitleLabelId();
  static int StatusLabelId();
  static int CurrentKeyLabelId();
  static int ErrorCountLabelId();
  static int InstructionLabelId();
  static int UndoTextLabelId();  // the first of the Undo Center's three text lines

 private:
  void Attach(HWND window) override { window_ = window; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Detach() override { window_ = nullptr; }

  void CreateChildren();
  void CreateBannerAndSidePanel();
  void CreateWelcomePanel();
  void CreateScanPanel();
  void CreateUndoPanel();
  void CreateButtons();
  // Places the controls that are no panels at the current DPI.
  void PlaceControls();
  void ApplyDpi(UINT dpi);
  void RememberFocus();
  bool RestoreFocus();
  std::unique_ptr<Panel> MakePanel(HWND parent, const TwipsRect& bounds, const PanelLook& look);
  std::unique_ptr<Panel> MakeFrame(Panel& parent, const TwipsRect& bounds);
  void ShowOnly(Panel& shown);

  void BannerMouseMove(int labelId);
  void LinkClick(int labelId);
  void ShowHandCursor();
  void ShowDefaultCursor();
  HCURSOR CurrentCursor() const;

  Form1Platform platform_;
  HWND window_ = nullptr;
  UINT dpi_ = 96;
  controls::CursorHandle handPicture_;  // the picture of imgHand, the hand cursor
  bool handCursor_ = false;
  bool timerEnabled_ = false;
  HWND lastFocus_ = nullptr;   // the control that had the focus when the window was deactivated
  HWND disabledFocus_ = nullptr;  // the button that had the focus when it was disabled

  controls::Bitmap bannerPicture_;
  controls::Bitmap stripPicture_;
  controls::FontHandle listFont_;

  std::unique_ptr<Panel> banner_;  // Image7 with the links standing on it
  std::unique_ptr<Panel> sidePanel_;
  std::unique_ptr<Panel> bottomStrip_;  // Picture3
  std::unique_ptr<Panel> panel1_;
  std::unique_ptr<Panel> welcomeText_;
  std::unique_ptr<Panel> panel2_;
  std::unique_ptr<Panel> frameScanning_;
  std::unique_ptr<Panel> frameResult_;
  std::unique_ptr<Panel> scanListFrame_;
  std::unique_ptr<Panel> panel3_;
  std::unique_ptr<Panel> undoTitleFrame_;
  std::unique_ptr<Panel> undoListFrame_;
  std::unique_ptr<controls::Line_3D> separator_;
  std::unique_ptr<Win32ListView> lvErrorRegKey_;
  std::unique_ptr<Win32ListView> lstUndo_;
  HWND progressBar_ = nullptr;  // XP_ProgressBar1
  std::array<std::unique_ptr<controls::Button>, 9> buttons_;

  std::unique_ptr<ScanSession> session_;
  std::unique_ptr<ErrorRemoval> removal_;
  std::unique_ptr<UndoCenter> undo_;
};

}  // namespace app
