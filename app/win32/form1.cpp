#include "app/win32/form1.h"

#include <commctrl.h>

#include <iterator>

#include "app/error_list.h"
#include "app/win32/dialog_keys.h"
#include "app/win32/form1_layout.h"
#include "app/win32/resource_ids.h"
#include "controls/dpi.h"
#include "controls/property_bag.h"

namespace app {

const char kHomeAddress[] = "www.hivesweep.example";

namespace {

constexpr char kWindowClass[] = "HivesweepForm1";
constexpr char kWindowTitle[] = "Zentrova";
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 20;

enum LabelId {
  kTitleLabel = 1,  // Label11
  kHomeLabel,       // lblHome
  kHelpLabel,       // lblHelp
  kMakerLine1,
  kMakerLine2,
  kWelcomeHeading,
  kWelcomeLine,     // the welcome text, one id for all its lines
  kScanningLabel,
  kErrorsFoundLabel,  // Label12
  kErrorCountLabel,   // Label19
  kInstructionLabel,
  kStatusLabel,      // Label5
  kCurrentKeyLabel,  // txtCurKey
  kUndoTitleLabel,   // Label6
  kUndoTextLabel,    // Label8 to Label10
};

enum ControlId { kErrorListId = 100, kUndoListId, kProgressBarId, kSeparatorId, kFirstButtonId = 200 };

controls::FontSpec Font(const char* face, double size, bool bold = false, bool italic = false) {
  controls::FontSpec font;
  font.FaceName = face;
  font.Size = size;
  font.Bold = bold;
  font.Italic = italic;
  return font;
}

// The frames' own font, used by labels that name none.
controls::FontSpec FrameFont() { return Font("MS Sans Serif", 8.25); }

struct ButtonPlace {
  CommandButton which;
  const char* name;
  const char* caption;
  int left;
  int top;
  int height;
};

constexpr ButtonPlace kStripButtons[] = {
    {CommandButton::Start, "cmdStart", "Start Search", 2760, 120, layout::kStartButtonHeight},
    {CommandButton::Stop, "cmdStop", "Stop Search", 4440, 120, layout::kButtonHeight},
    {CommandButton::UndoCenter, "cmdOptions", "Undo Center", 6120, 120, layout::kButtonHeight},
    {CommandButton::Exit, "cmdExit", "Exit", 9840, 120, layout::kButtonHeight},
};
constexpr ButtonPlace kScanButtons[] = {
    {CommandButton::SelectAll, "cmdSelectAll", "Select All", 360, 4800, layout::kButtonHeight},
    {CommandButton::Unselect, "cmdUnselect", "Unselect All", 2040, 4800, layout::kButtonHeight},
    {CommandButton::Delete, "removeselcmd", "Delete", 3720, 4800, layout::kButtonHeight},
};
constexpr ButtonPlace kUndoButtons[] = {
    {CommandButton::Restore, "cmdUndo", "Restore", 360, 4200, layout::kButtonHeight},
    {CommandButton::Remove, "cmdRemove", "Remove", 2040, 4200, layout::kButtonHeight},
};

// The stored layout of the window's command buttons; keys as the layout
// keeps them, in lower case.
controls::PropertyBag StoredButtonLayout(const char* caption) {
  controls::PropertyBag bag;
  bag.Set("buttonstyle", std::int64_t{7});
  bag.Set("buttonstylecolors", std::int64_t{2});
  bag.Set("backcolor", std::int64_t{0xD8D8D8});
  bag.Set("backcolorpressed", std::int64_t{0xEFCE92});
  bag.Set("backcolorhover", std::int64_t{0xF7DBA5});
  bag.Set("bordercolor", std::int64_t{0x8F8F8E});
  bag.Set("bordercolorpressed", std::int64_t{0x5C411D});
  bag.Set("bordercolorhover", std::int64_t{0xB17F3C});
  bag.Set("forecolorpressed", std::int64_t{0});
  bag.Set("forecolorhover", std::int64_t{0});
  bag.Set("caption", std::string(caption));
  bag.Set("font", Font("Tahoma", 8.25));
  return bag;
}

controls::PropertyBag StoredSeparatorLayout() {
  controls::PropertyBag bag;
  bag.Set("backcolor", std::int64_t{0xFF0000});
  bag.Set("forecolor", std::int64_t{0x80FF80});
  bag.Set("style", std::int64_t{4});
  return bag;
}

HBITMAP LoadBitmapPicture(HINSTANCE instance, int id) {
  return static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
}

// The lists' font: the system's, at the window's DPI.
controls::FontHandle ListFont(UINT dpi) {
  LOGFONTA font = {};
  SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0);
  controls::WindowDc screen(nullptr);
  const int systemDpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), systemDpi > 0 ? systemDpi : 96);
  return controls::FontHandle(CreateFontIndirectA(&font));
}

// Places a child window at a twips rectangle of its panel.
void PlaceWindow(HWND window, const Panel& panel, const TwipsRect& bounds) {
  const RECT r = panel.PixelsOf(bounds);
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int Form1::HomeLabelId() { return kHomeLabel; }
int Form1::HelpLabelId() { return kHelpLabel; }
int Form1::TitleLabelId() { return kTitleLabel; }
int Form1::StatusLabelId() { return kStatusLabel; }
int Form1::CurrentKeyLabelId() { return kCurrentKeyLabel; }
int Form1::ErrorCountLabelId() { return kErrorCountLabel; }
int Form1::InstructionLabelId() { return kInstructionLabel; }
int Form1::UndoTextLabelId() { return kUndoTextLabel; }

Form1::Form1(const Form1Platform& platform) : platform_(platform) {}

Form1::~Form1() {
  // Children first: they draw with the pictures the window owns.
  for (auto& button : buttons_) button.reset();
  lvErrorRegKey_.reset();
  lstUndo_.reset();
  DestroyDetached(window_);
}

bool Form1::Load(HINSTANCE instance, int showCommand) {
  if (platform_.instance.AnotherInstanceRunning()) {
    platform_.boxes.Show("Already running an instance.", kApplicationTitle,
                         platform::mb::kOk | platform::mb::kIconInformation);
    return false;
  }

  INITCOMMONCONTROLSEX common = {sizeof(common), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&common);
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &controls::WindowProcedure;
  wc.hInstance = instance;
  wc.lpszClassName = kWindowClass;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_HIVESWEEP));
  wc.hbrBackground = nullptr;
  RegisterClassExA(&wc);

  bannerPicture_.Reset(LoadBitmapPicture(instance, IDB_BANNER));
  stripPicture_.Reset(LoadBitmapPicture(instance, IDB_STRIP));
  handPicture_.reset(static_cast<HCURSOR>(
      LoadImageA(instance, MAKEINTRESOURCEA(IDC_HAND_PICTURE), IMAGE_CURSOR, 0, 0, 0)));

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, kWindowTitle, style, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
                  nullptr, nullptr, instance, CreationParameter());
  if (!window_) return false;
  dpi_ = controls::WindowDpi(window_);
  listFont_ = ListFont(dpi_);
  CreateChildren();

  session_ = std::make_unique<ScanSession>(
      *this, *lvErrorRegKey_,
      ScanPlatform{platform_.registry, platform_.pump, platform_.boxes, platform_.files, platform_.codePage});
  removal_ = std::make_unique<ErrorRemoval>(
      *this, *lvErrorRegKey_,
      RemovalPlatform{platform_.registry, platform_.pump, platform_.boxes, platform_.files, platform_.clock,
                      platform_.restorePoint, platform_.codePage});
  undo_ = std::make_unique<UndoCenter>(*this, *lstUndo_,
                                       UndoPlatform{platform_.files, platform_.shell, platform_.boxes, platform_.pump});
  CreateButtons();
  PlaceControls();
  session_->Load();

  // The outer size is fixed; the layout inside it is absolute.
  SetWindowPos(window_, nullptr, 0, 0, controls::TwipsToPixels(layout::kWindowWidth, dpi_),
               controls::TwipsToPixels(layout::kWindowHeight, dpi_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowOnly(*panel1_);
  SetButtonEnabled(CommandButton::Stop, false);
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  return true;
}

std::unique_ptr<Panel> Form1::MakePanel(HWND parent, const TwipsRect& bounds, const PanelLook& look) {
  return std::make_unique<Panel>(parent, window_, bounds, look, dpi_);
}

std::unique_ptr<Panel> Form1::MakeFrame(Panel& parent, const TwipsRect& bounds) {
  PanelLook look;
  look.back = layout::kPanelBack;
  look.border = layout::kFrameBorder;
  return MakePanel(parent.Handle(), bounds, look);
}

void Form1::CreateChildren() {
  CreateBannerAndSidePanel();
  CreateWelcomePanel();
  CreateScanPanel();
  CreateUndoPanel();
  PanelLook strip;
  strip.back = 0xE0E0E0;
  strip.picture = stripPicture_.Get();
  strip.stretchPicture = false;
  bottomStrip_ = MakePanel(window_, layout::kBottomStrip, strip);
  // The strip stands over the foot of the content panels, where its buttons
  // are, and under the side panel, whose labels reach into it.
  for (Panel* top : {bottomStrip_.get(), sidePanel_.get()}) {
    SetWindowPos(top->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void Form1::CreateBannerAndSidePanel() {
  PanelLook bannerLook;
  bannerLook.picture = bannerPicture_.Get();
  banner_ = MakePanel(window_, layout::kBanner, bannerLook);
  banner_->AddLabel({kTitleLabel, layout::kTitleLabel, "Hivesweep", Font("Times New Roman", 18), layout::kLinkIdle});
  banner_->AddPicture({layout::kHomeIcon, IDI_HOME, 16});
  banner_->AddLabel({kHomeLabel, layout::kHomeLabel, "Home", Font("Arial", 9.75, true), layout::kLinkIdle});
  banner_->AddPicture({layout::kHelpIcon, IDI_HELP, 16});
  banner_->AddLabel({kHelpLabel, layout::kHelpLabel, "Help", Font("Arial", 9.75, true), layout::kLinkIdle});
  banner_->MouseMove = [this](int labelId) { BannerMouseMove(labelId); };
  banner_->LabelClick = [this](int labelId) { LinkClick(labelId); };
  banner_->Cursor = [this] { return CurrentCursor(); };

  PanelLook side;
  side.back = 0xFFFFFF;
  side.gradientEnd = 0xE0E0E0;
  side.border = layout::kFrameBorder;
  sidePanel_ = MakePanel(window_, layout::kSidePanel, side);
  sidePanel_->AddLabel({kMakerLine1, layout::kMakerLine1, "Zentrova", Font("Arial", 9.75, true, true), layout::kText});
  sidePanel_->AddLabel(
      {kMakerLine2, layout::kMakerLine2, "Hivesweep Labs", Font("Arial", 11.25, true, true), layout::kText});
}

void Form1::CreateWelcomePanel() {
  panel1_ = MakePanel(window_, layout::kContent, PanelLook{});
  panel1_->AddLabel({kWelcomeHeading, layout::kWelcomeHeading, "Welcome to Hivesweep", Font("Arial", 12, true),
                     layout::kHeading});
  panel1_->MouseMove = [this](int) { ShowDefaultCursor(); };

  separator_ = std::make_unique<controls::Line_3D>();
  separator_->Create(panel1_->Handle(), kSeparatorId, dpi_);
  separator_->ReadProperties(StoredSeparatorLayout());

  PanelLook textFrame;  // borderless
  welcomeText_ = MakePanel(panel1_->Handle(), layout::kWelcomeTextFrame, textFrame);
  welcomeText_->MouseMove = [this](int) { ShowDefaultCursor(); };
  const controls::FontSpec text = Font("Arial", 9.75);
  for (const auto& line : layout::kWelcomeLines) {
    welcomeText_->AddLabel({kWelcomeLine,
                            {layout::kWelcomeLineLeft, line.top, layout::kWelcomeLineWidth, layout::kWelcomeLineHeight},
                            line.text, text, layout::kText});
  }
  welcomeText_->AddLabel({kWelcomeLine, layout::kPressLabel, "Press", text, layout::kText});
  welcomeText_->AddLabel({kWelcomeLine, layout::kPressStartLabel, "Start Search", Font("Arial", 9, true),
                          layout::kDarkRed});
  welcomeText_->AddLabel(
      {kWelcomeLine, layout::kPressRestLabel, "button to scan system registry for errors.", text, layout::kText});
}

void Form1::CreateScanPanel() {
  panel2_ = MakePanel(window_, layout::kContent, PanelLook{});
  panel2_->MouseMove = [this](int) { ShowDefaultCursor(); };

  frameScanning_ = MakeFrame(*panel2_, layout::kHeaderFrame);
  frameScanning_->AddLabel({kScanningLabel, layout::kScanningLabel, "Scanning System Registry for Errors",
                            Font("Arial", 9, true), layout::kText});
  frameResult_ = MakeFrame(*panel2_, layout::kHeaderFrame);
  frameResult_->AddPicture({layout::kResultIcon, IDI_RESULTS, 32});
  frameResult_->AddLabel(
      {kErrorsFoundLabel, layout::kErrorsFoundLabel, "Errors Found : ", Font("Arial", 11.25, true), layout::kText});
  frameResult_->AddLabel({kErrorCountLabel, layout::kErrorCountLabel, "", Font("Arial", 12, true), layout::kDarkRed});
  frameResult_->Show(false);

  scanListFrame_ = MakeFrame(*panel2_, layout::kScanListFrame);
  scanListFrame_->AddPicture({layout::kScanListIcon, IDI_LIST, 16});
  scanListFrame_->AddLabel({kInstructionLabel, layout::kScanInstruction,
                            "The list below contains the errors found in the system registry. Press 'Delete' to "
                            "remove selected error from registry.",
                            FrameFont(), layout::kText});
  scanListFrame_->AddLabel({kStatusLabel, layout::kStatusLabel, "Scanning :", FrameFont(), layout::kNavy});
  scanListFrame_->AddLabel({kCurrentKeyLabel, layout::kCurrentKeyLabel, "", FrameFont(), layout::kNavy});

  Win32ListView::Options errors;
  errors.bounds = {};  // placed with the others
  errors.controlId = kErrorListId;
  errors.checkBoxes = true;
  for (const auto& column : kErrorListColumns) errors.columns.push_back({column.header, 0});
  errors.background = layout::kPanelBack;
  lvErrorRegKey_ = std::make_unique<Win32ListView>(scanListFrame_->Handle(), errors);
  lvErrorRegKey_->RowClick = [this](RowNumber row) { ToggleRow(*lvErrorRegKey_, row); };
  lvErrorRegKey_->BeforeLabelEdit = [](int* cancel) { RefuseEdit(cancel); };

  progressBar_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 0, 0, 0, 0,
                                 scanListFrame_->Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProgressBarId)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE)), nullptr);
  // The bar's range: it cycles from 0 to 100 and stands at 100 after a scan.
  SendMessageA(progressBar_, PBM_SETRANGE32, 0, 100);
}

void Form1::CreateUndoPanel() {
  panel3_ = MakePanel(window_, layout::kContent, PanelLook{});
  panel3_->MouseMove = [this](int) { ShowDefaultCursor(); };
  undoTitleFrame_ = MakeFrame(*panel3_, layout::kUndoTitleFrame);
  undoTitleFrame_->AddPicture({layout::kUndoTitleIcon, IDI_UNDO, 16});
  undoTitleFrame_->AddLabel(
      {kUndoTitleLabel, layout::kUndoTitleLabel, "Undo Center", Font("Arial", 9.75, true), layout::kText});

  undoListFrame_ = MakeFrame(*panel3_, layout::kUndoListFrame);
  undoListFrame_->AddPicture({layout::kUndoListIcon, IDI_LIST, 16});
  const controls::FontSpec text = Font("Microsoft Sans Serif", 8.25);
  undoListFrame_->AddLabel({kUndoTextLabel, layout::kUndoText1,
                            "The list below contains the changes made by Hivesweep in your Registry. You can select "
                            "an item and press ",
                            text, layout::kText});
  undoListFrame_->AddLabel({kUndoTextLabel, layout::kUndoText2,
                            "'Restore' to undo changes. If you are done with cleanup then select the item from list "
                            "and press 'Remove'.",
                            text, layout::kText});
  undoListFrame_->AddLabel({kUndoTextLabel, layout::kUndoText3,
                            "Once you remove any undo file you will never be able to  restore it so perform the "
                            "action after full satisfaction.",
                            text, layout::kText});

  Win32ListView::Options backups;
  backups.bounds = {};
  backups.controlId = kUndoListId;
  backups.checkBoxes = false;
  backups.columns.push_back({"Date and Time of Changes made to registry:", 0});
  backups.background = GetSysColor(COLOR_WINDOW);
  lstUndo_ = std::make_unique<Win32ListView>(undoListFrame_->Handle(), backups);
  lstUndo_->Click = [this] { undo_->lstUndo_Click(); };
  panel3_->Show(false);
}

void Form1::CreateButtons() {
  const controls::FontSpec hostFont = Font("Tahoma", 8.25);
  int id = kFirstButtonId;
  auto place = [&](Panel& container, const ButtonPlace& where) {
    auto button = std::make_unique<controls::Button>();
    button->Create(container.Handle(), id++, {where.name, hostFont, true, dpi_});
    button->ReadProperties(StoredButtonLayout(where.caption));
    buttons_[static_cast<std::size_t>(where.which)] = std::move(button);
  };
  for (const auto& where : kStripButtons) place(*bottomStrip_, where);
  for (const auto& where : kScanButtons) place(*scanListFrame_, where);
  for (const auto& where : kUndoButtons) place(*undoListFrame_, where);

  ButtonOf(CommandButton::Start).events.Click = [this] { session_->cmdStart_Click(); };
  ButtonOf(CommandButton::Stop).events.Click = [this] { session_->cmdStop_Click(); };
  ButtonOf(CommandButton::Exit).events.Click = [this] { session_->cmdExit_Click(); };
  ButtonOf(CommandButton::UndoCenter).events.Click = [this] { undo_->cmdOptions_Click(); };
  ButtonOf(CommandButton::SelectAll).events.Click = [this] { SelectAll(*lvErrorRegKey_); };
  ButtonOf(CommandButton::Unselect).events.Click = [this] { UnselectAll(*lvErrorRegKey_); };
  ButtonOf(CommandButton::Delete).events.Click = [this] { removal_->removeselcmd_Click(); };
  ButtonOf(CommandButton::Restore).events.Click = [this] { undo_->cmdUndo_Click(); };
  ButtonOf(CommandButton::Remove).events.Click = [this] { undo_->cmdRemove_Click(); };
}

void Form1::PlaceControls() {
  auto place = [&](const ButtonPlace& where) {
    controls::Button& button = ButtonOf(where.which);
    button.Dpi(dpi_);
    button.Move(where.left, where.top, layout::kButtonWidth, where.height);
  };
  for (const auto& where : kStripButtons) place(where);
  for (const auto& where : kScanButtons) place(where);
  for (const auto& where : kUndoButtons) place(where);
  separator_->Dpi(dpi_);
  separator_->Move(layout::kSeparator.left, layout::kSeparator.top, layout::kSeparator.width,
                   layout::kSeparator.height);
  PlaceWindow(progressBar_, *scanListFrame_, layout::kProgressBar);

  struct ListPlace {
    Win32ListView& list;
    const Panel& frame;
    TwipsRect bounds;
  };
  for (const ListPlace& l : {ListPlace{*lvErrorRegKey_, *scanListFrame_, layout::kErrorList},
                             ListPlace{*lstUndo_, *undoListFrame_, layout::kUndoList}}) {
    SendMessageA(l.list.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.Get()), FALSE);
    PlaceWindow(l.list.Handle(), l.frame, l.bounds);
  }
  for (int i = 0; i < static_cast<int>(std::size(kErrorListColumns)); ++i) {
    SendMessageA(lvErrorRegKey_->Handle(), LVM_SETCOLUMNWIDTH, i,
                 controls::TwipsToPixels(kErrorListColumns[i].widthTwips, dpi_));
  }
  SendMessageA(lstUndo_->Handle(), LVM_SETCOLUMNWIDTH, 0, controls::TwipsToPixels(layout::kUndoColumnWidth, dpi_));
}

void Form1::ApplyDpi(UINT dpi) {
  if (dpi == 0 || dpi == dpi_) return;
  dpi_ = dpi;
  listFont_ = ListFont(dpi_);
  for (Panel* panel : {banner_.get(), sidePanel_.get(), bottomStrip_.get(), panel1_.get(), welcomeText_.get(),
                       panel2_.get(), frameScanning_.get(), frameResult_.get(), scanListFrame_.get(), panel3_.get(),
                       undoTitleFrame_.get(), undoListFrame_.get()}) {
    panel->SetDpi(dpi_);
  }
  PlaceControls();
}

bool Form1::PreTranslateMessage(const MSG& message) {
  if (!HandleDialogKey(window_, message, disabledFocus_)) return false;
  disabledFocus_ = nullptr;
  return true;
}

void Form1::RememberFocus() {
  const HWND focus = GetFocus();
  if (focus && IsChild(window_, focus)) lastFocus_ = focus;
}

bool Form1::RestoreFocus() {
  const HWND focus = lastFocus_;
  lastFocus_ = nullptr;
  if (!focus || !IsWindow(focus) || !IsChild(window_, focus) || !IsWindowVisible(focus) || !IsWindowEnabled(focus)) {
    return false;
  }
  SetFocus(focus);
  return true;
}

void Form1::ShowOnly(Panel& shown) {
  for (Panel* panel : {panel1_.get(), panel2_.get(), panel3_.get()}) {
    if (panel != &shown) panel->Show(false);
  }
  shown.Show(true);
  shown.MoveTo(layout::kContent);
}

// --- links and cursor ---

void Form1::BannerMouseMove(int labelId) {
  if (labelId == kTitleLabel) return;  // the title changes nothing
  const bool home = labelId == kHomeLabel;
  const bool help = labelId == kHelpLabel;
  if (home || help) {
    ShowHandCursor();
  } else {
    ShowDefaultCursor();
  }
  auto look = [&](int id, bool lit) {
    banner_->SetLabelColor(id, lit ? layout::kLinkHover : layout::kLinkIdle);
    controls::FontSpec font = banner_->LabelFont(id);
    font.Underline = lit;
    banner_->SetLabelFont(id, font);
  };
  look(kHomeLabel, home);
  look(kHelpLabel, help);
}

void Form1::LinkClick(int labelId) {
  if (labelId == kHelpLabel) {
    platform_.shell.Open(platform_.applicationFolder + "\\help\\ZTV.chm", "C:\\");
  } else if (labelId == kHomeLabel) {
    platform_.shell.Open(kHomeAddress, "C:\\");
  }
}

void Form1::ShowHandCursor() {
  handCursor_ = true;
  SetCursor(CurrentCursor());
}

void Form1::ShowDefaultCursor() {
  if (!handCursor_) return;
  handCursor_ = false;
  SetCursor(CurrentCursor());
}

HCURSOR Form1::CurrentCursor() const {
  return handCursor_ && handPicture_ ? handPicture_.get() : LoadCursor(nullptr, IDC_ARROW);
}

// --- MainView ---

void Form1::ShowScanPanel() { ShowOnly(*panel2_); }

void Form1::ShowUndoPanel() { ShowOnly(*panel3_); }

void Form1::SetTimerEnabled(bool enabled) {
  if (enabled == timerEnabled_) return;
  timerEnabled_ = enabled;
  if (enabled) {
    SetTimer(window_, kTimer1, kTimer1Interval, nullptr);
  } else {
    KillTimer(window_, kTimer1);
  }
}

void Form1::ShowScanningHeader(bool scanning) {
  frameScanning_->Show(scanning);
  frameResult_->Show(!scanning);
}

void Form1::SetCurrentKeyVisible(bool visible) { scanListFrame_->SetLabelVisible(kCurrentKeyLabel, visible); }

void Form1::SetCurrentKey(const std::string& text) { scanListFrame_->SetLabelText(kCurrentKeyLabel, text); }

void Form1::SetCurrentKeyFont(int points, bool bold) {
  controls::FontSpec font = scanListFrame_->LabelFont(kCurrentKeyLabel);
  font.Size = points;
  font.Bold = bold;
  scanListFrame_->SetLabelFont(kCurrentKeyLabel, font);
}

void Form1::SetStatusWidth(int twips) { scanListFrame_->SetLabelWidth(kStatusLabel, twips); }

void Form1::SetStatus(const std::string& text) { scanListFrame_->SetLabelText(kStatusLabel, text); }

void Form1::SetErrorCount(const std::string& text) { frameResult_->SetLabelText(kErrorCountLabel, text); }

void Form1::SetButtonEnabled(CommandButton button, bool enabled) {
  // The system takes the focus from a control it disables; Tab goes on from there.
  if (!enabled && GetFocus() == ButtonOf(button).hwnd()) disabledFocus_ = ButtonOf(button).hwnd();
  ButtonOf(button).Enabled(enabled);
}

void Form1::RestButton(CommandButton button) { ButtonOf(button).overr(); }

int Form1::ProgressPosition() const { return static_cast<int>(SendMessageA(progressBar_, PBM_GETPOS, 0, 0)); }

int Form1::ProgressMaximum() const { return static_cast<int>(SendMessageA(progressBar_, PBM_GETRANGE, FALSE, 0)); }

void Form1::SetProgressPosition(int position) { SendMessageA(progressBar_, PBM_SETPOS, position, 0); }

void Form1::EndProgram() {
  if (platform_.endProgram) platform_.endProgram();
}

// --- window procedure ---

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      // As a dialog does: the focus comes back to the control that had it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        RememberFocus();
      } else if (!HIWORD(wParam) && RestoreFocus()) {
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
      ApplyDpi(LOWORD(wParam));
      SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT client = {};
      GetClientRect(window_, &client);
      controls::Brush back(CreateSolidBrush(layout::kWindowBack));
      FillRect(reinterpret_cast<HDC>(wParam), &client, back.Get());
      return 1;
    }
    case WM_TIMER:
      if (wParam == kTimer1) session_->Timer1_Timer();
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      LRESULT result = 0;
      if (lvErrorRegKey_ && lvErrorRegKey_->HandleNotify(header, &result)) return result;
      if (lstUndo_ && lstUndo_->HandleNotify(header, &result)) return result;
      break;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == window_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(CurrentCursor());
        return TRUE;
      }
      break;
    case WM_CLOSE: {
      // Refused without a word while a scan runs, whatever asked for it.
      int cancel = 0;
      session_->QueryUnload(&cancel);
      if (!cancel) DestroyWindow(window_);
      return 0;
    }
    case WM_QUERYENDSESSION: {
      int cancel = 0;
      session_->QueryUnload(&cancel);
      return cancel ? FALSE : TRUE;
    }
    case WM_DESTROY:
      SetTimerEnabled(false);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace app
