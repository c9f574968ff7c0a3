// Times the full scan in the registry of the Wine prefix it runs in, against
// the registry editor exporting the whole of the same registry, against a
// bare enumeration walk (open, enumerate values, enumerate sub keys, close)
// over the same seven roots as the floor that no walk of the registry can go
// below, and against the limit: the floor walk plus what the scan cannot
// leave out, one message processing call on an empty queue before every
// RegEnumKeyA call (once per sub key and once at each key's list end) and
// the existence test of the path of every hit the scan had. The four are
// timed in the same process run after run, in rotating order, and the
// medians and the medians of the per-run ratios are printed.
//
// The scan is the program's own: the search with the scan's parameters, the
// finding classifier, the existence test through the file system, rows into
// a real list view in the main window's list frame, each key shown in the
// frame's current-key label, the registry through the Win32 calls and
// message processing through the Win32 message pump.
//
// --profile runs the scan once more with every facility call timed, and
// prints where the scan's time goes: per registry call, message processing
// (apart for the calls that found nothing to do), the list's paints,
// existence tests and list operations. --pump picks the message processing
// for the scan: the program's own (win32, the default), a plain PeekMessage
// loop (peek: the program's before it asked the queue first and spaced its
// paints), that loop with PM_NOYIELD (noyield), or none at all (none, which
// keeps no window alive and only shows what message processing costs).
// --no-label leaves the current-key label out; --hidden keeps the window
// hidden; --frozen-list turns the list's redrawing off for the scan and back
// on (with one repaint) at its end. These show what drawing costs; the
// program itself scans into a shown, drawing window.
//
// --stop-click N adds a Stop button below the list, prints its screen
// position, runs scans until it has been clicked N times and prints
// "clicked" at once for every click: bench/native/stop_click.cpp clicks it
// through the X server and times the answers (scripts/bench.sh click).
//
// Usage: scan_bench.exe [--runs N] [--export FILE] [--only scan|floor|regedit|limit] [--profile]
//                       [--pump win32|peek|noyield|none] [--no-label] [--hidden] [--frozen-list]
//                       [--stop-click N]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/error_list.h"
#include "app/finding_classifier.h"
#include "app/scan_parameters.h"
#include "app/win32/form1_layout.h"
#include "app/win32/panel.h"
#include "app/win32/win32_list_view.h"
#include "engine/path_extractor.h"
#include "engine/reg_search.h"
#include "engine/stop_scan.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_registry.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A top-level window that hosts the error list, as the main window does, and
// hands its WM_NOTIFY messages to the list.
class HostWindow {
 public:
  explicit HostWindow(bool visible) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &HostWindow::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HivesweepScanBench";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);  // fails harmlessly when already registered
    window_ = CreateWindowExA(0, wc.lpszClassName, "Hivesweep scan benchmark", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              0, 0, 640, 540, nullptr, nullptr, wc.hInstance, this);
    if (window_ && visible) {
      ShowWindow(window_, SW_SHOWNOACTIVATE);
      UpdateWindow(window_);
    }
  }
  ~HostWindow() {
    if (window_) DestroyWindow(window_);
  }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return window_; }
  app::Win32ListView* list = nullptr;
  std::function<void(WORD id)> command;  // WM_COMMAND from a child control

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NOTIFY && self && self->list) {
      LRESULT result = 0;
      if (self->list->HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), &result)) return result;
    }
    if (message == WM_COMMAND && self && self->command) self->command(LOWORD(wParam));
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};

constexpr int kCurrentKeyLabel = 3;
constexpr WORD kStopButtonId = 101;

app::Win32ListView::Options ErrorListOptions() {
  app::Win32ListView::Options options;
  options.bounds = {8, 8, 624, 440};
  options.controlId = 100;
  options.checkBoxes = true;
  for (const auto& column : app::kErrorListColumns) options.columns.push_back({column.header, column.widthTwips / 15});
  options.background = RGB(0xFB, 0xFB, 0xFB);
  return options;
}

// Time and count of one kind of facility call.
struct CallTally {
  const char* name;
  long long calls = 0;
  double seconds = 0;
};

class Timed {
 public:
  explicit Timed(CallTally* tally) : tally_(tally), start_(Clock::now()) {}
  ~Timed() {
    ++tally_->calls;
    tally_->seconds += SecondsSince(start_);
  }
  Timed(const Timed&) = delete;
  Timed& operator=(const Timed&) = delete;

 private:
  CallTally* tally_;
  Clock::time_point start_;
};

struct Profile {
  CallTally open{"RegOpenKeyExA"};
  CallTally enumKey{"RegEnumKeyA"};
  CallTally enumValue{"RegEnumValueA"};
  CallTally close{"RegCloseKey"};
  CallTally pumpEmpty{"messages: none"};     // calls that dispatched nothing
  CallTally pumpBusy{"messages: dispatched"};  // calls that dispatched something
  CallTally listPaint{"list paints"};          // inside message processing
  CallTally classify{"classifier"};    // the whole SearchFound handler
  CallTally exists{"existence test"};  // inside the classifier
  CallTally listAdd{"list row added"};
  CallTally listSet{"list sub item set"};
  CallTally listOther{"other list operations"};
  CallTally label{"current-key label set"};  // the text only; its paints are message processing
  struct MessageCounts {
    long all = 0, timer = 0, paint = 0, input = 0, other = 0;
  } messages;  // dispatched by message processing, by kind
};

class TimedRegistry final : public platform::Registry {
 public:
  TimedRegistry(platform::Registry& inner, Profile& profile) : inner_(inner), p_(profile) {}
  long OpenKeyEx(platform::RegHandle key, const char* subKey, std::uint32_t options, std::uint32_t access,
                 platform::RegHandle* result) override {
    Timed t(&p_.open);
    return inner_.OpenKeyEx(key, subKey, options, access, result);
  }
  long EnumKey(platform::RegHandle key, std::uint32_t index, char* name, std::uint32_t nameSize) override {
    Timed t(&p_.enumKey);
    return inner_.EnumKey(key, index, name, nameSize);
  }
  long EnumValue(platform::RegHandle key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                 std::uint32_t* type, unsigned char* data, std::uint32_t* dataLength) override {
    Timed t(&p_.enumValue);
    return inner_.EnumValue(key, index, name, nameLength, type, data, dataLength);
  }
  long CloseKey(platform::RegHandle key) override {
    Timed t(&p_.close);
    return inner_.CloseKey(key);
  }
  long CreateKey(platform::RegHandle key, const char* subKey, platform::RegHandle* result) override {
    return inner_.CreateKey(key, subKey, result);
  }
  long DeleteValue(platform::RegHandle key, const char* valueName) override {
    return inner_.DeleteValue(key, valueName);
  }

 private:
  platform::Registry& inner_;
  Profile& p_;
};

// The file system as the classifier sees it: each existence test is passed
// on, and its path kept for the limit and its time taken when asked for.
class FileSystemTap final : public platform::FileSystem {
 public:
  FileSystemTap(platform::FileSystem& inner, std::vector<std::string>* paths, CallTally* tally)
      : inner_(inner), paths_(paths), tally_(tally) {}
  bool PathExists(const std::string& path) override {
    if (paths_) paths_->push_back(path);
    if (!tally_) return inner_.PathExists(path);
    Timed t(tally_);
    return inner_.PathExists(path);
  }
  std::string SpecialFolderPath(int folderId) override { return inner_.SpecialFolderPath(folderId); }
  bool CreateFolder(const std::string& path) override { return inner_.CreateFolder(path); }
  bool WriteWholeFile(const std::string& path, const std::string& bytes) override {
    return inner_.WriteWholeFile(path, bytes);
  }
  platform::FolderListing ListFolder(const std::string& path) override { return inner_.ListFolder(path); }
  std::string FileFullPath(const std::string& path) override { return inner_.FileFullPath(path); }

 private:
  platform::FileSystem& inner_;
  std::vector<std::string>* paths_;
  CallTally* tally_;
};

// Times the list control's own painting (its paint, frame and background
// messages), which happens inside message processing, by subclassing it.
class PaintTimer {
 public:
  PaintTimer(HWND list, CallTally* tally) : list_(list) {
    tally_ = tally;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintTimer::Procedure)));
  }
  ~PaintTimer() {
    SetWindowLongPtrA(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    tally_ = nullptr;
  }
  PaintTimer(const PaintTimer&) = delete;
  PaintTimer& operator=(const PaintTimer&) = delete;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (tally_ && (message == WM_PAINT || message == WM_NCPAINT || message == WM_ERASEBKGND)) {
      Timed t(tally_);
      return CallWindowProcA(previous_, window, message, wParam, lParam);
    }
    return CallWindowProcA(previous_, window, message, wParam, lParam);
  }

  HWND list_;
  static inline WNDPROC previous_ = nullptr;
  static inline CallTally* tally_ = nullptr;
};

// Counts the calls of message processing that pass through it.
class CountingPump final : public platform::MessagePump {
 public:
  explicit CountingPump(platform::MessagePump& inner) : inner_(inner) {}
  void ProcessPending() override {
    ++calls;
    inner_.ProcessPending();
  }
  long calls = 0;

 private:
  platform::MessagePump& inner_;
};

// Times message processing, apart for the calls that found messages to
// dispatch and those that found none, and counts the messages by kind
// through a hook on the thread's message retrieval.
class TimedPump final : public platform::MessagePump {
 public:
  TimedPump(platform::MessagePump& inner, Profile& profile) : inner_(inner), p_(profile) {
    counts_ = &profile.messages;
    hook_ = SetWindowsHookExA(WH_GETMESSAGE, &TimedPump::OnMessage, nullptr, GetCurrentThreadId());
  }
  ~TimedPump() override {
    if (hook_) UnhookWindowsHookEx(hook_);
    counts_ = nullptr;
  }
  TimedPump(const TimedPump&) = delete;
  TimedPump& operator=(const TimedPump&) = delete;

  void ProcessPending() override {
    const long before = p_.messages.all;
    const Clock::time_point start = Clock::now();
    inner_.ProcessPending();
    const double seconds = SecondsSince(start);
    CallTally& tally = p_.messages.all != before ? p_.pumpBusy : p_.pumpEmpty;
    ++tally.calls;
    tally.seconds += seconds;
  }


 private:
  static LRESULT CALLBACK OnMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && counts_) {
      const UINT message = reinterpret_cast<const MSG*>(lParam)->message;
      ++counts_->all;
      if (message == WM_TIMER || message == 0x0118) {  // 0x0118: the system timer (caret blink)
        ++counts_->timer;
      } else if (message == WM_PAINT || message == WM_NCPAINT) {
        ++counts_->paint;
      } else if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
                 (message >= WM_KEYFIRST && message <= WM_KEYLAST)) {
        ++counts_->input;
      } else {
        ++counts_->other;
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  platform::MessagePump& inner_;
  Profile& p_;
  HHOOK hook_ = nullptr;
  static inline Profile::MessageCounts* counts_ = nullptr;
};

class TimedList final : public app::ListView {
 public:
  TimedList(app::ListView& inner, Profile& profile) : inner_(inner), p_(profile) {}
  app::RowNumber Count() const override {
    Timed t(&p_.listOther);
    return inner_.Count();
  }
  app::RowNumber Add(const std::string& text) override {
    Timed t(&p_.listAdd);
    return inner_.Add(text);
  }
  void Remove(app::RowNumber row) override { inner_.Remove(row); }
  void Clear() override { inner_.Clear(); }
  std::string Text(app::RowNumber row) const override { return inner_.Text(row); }
  std::string SubItem(app::RowNumber row, int i) const override { return inner_.SubItem(row, i); }
  void SetSubItem(app::RowNumber row, int i, const std::string& text) override {
    Timed t(&p_.listSet);
    inner_.SetSubItem(row, i, text);
  }
  bool Checked(app::RowNumber row) const override { return inner_.Checked(row); }
  void SetChecked(app::RowNumber row, bool checked) override { inner_.SetChecked(row, checked); }
  app::RowNumber SelectedRow() const override { return inner_.SelectedRow(); }

 private:
  app::ListView& inner_;
  Profile& p_;
};

// The program's message processing with PM_NOYIELD: the same messages are
// dispatched, but an empty queue does not give the processor away.
class NoYieldPump final : public platform::MessagePump {
 public:
  void ProcessPending() override {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
};

// The plain loop: PeekMessage until the queue is empty, paints included.
class PeekPump final : public platform::MessagePump {
 public:
  void ProcessPending() override {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
};

class NoPump final : public platform::MessagePump {
 public:
  void ProcessPending() override {}
};

struct ScanResult {
  double seconds = 0;
  long keys = 0;       // SearchKeyChanged events
  long hits = 0;       // SearchFound events
  long rows = 0;       // findings in the list
  long pumpCalls = 0;  // message processing calls
};

struct ScanOptions {
  bool visible = true;
  bool frozenList = false;
  bool label = true;  // the list in the main window's frame, each key shown in its current-key label
  std::string pump = "win32";
  Profile* profile = nullptr;                // when set, every facility call is timed
  int stopClicks = 0;                        // when set, scans until a Stop button had this many clicks
  std::vector<std::string>* paths = nullptr;  // when set, receives every path tested for existence
};

// The frame that holds the error list in the main window, with its three
// labels; each key is shown in the current-key label as the main window does.
std::unique_ptr<app::Panel> MakeScanFrame(HWND host) {
  namespace layout = app::layout;
  app::PanelLook look;
  look.back = layout::kPanelBack;
  look.border = layout::kFrameBorder;
  auto frame = std::make_unique<app::Panel>(host, host, app::TwipsRect{0, 0, 8775, 5415}, look, 96);
  controls::FontSpec font;
  font.FaceName = "MS Sans Serif";
  font.Size = 8.25;
  frame->AddLabel({1, layout::kScanInstruction, "The list below contains the errors found in the system registry.",
                   font, layout::kText});
  frame->AddLabel({2, layout::kStatusLabel, "Scanning :", font, layout::kNavy});
  frame->AddLabel({kCurrentKeyLabel, layout::kCurrentKeyLabel, "", font, layout::kNavy});
  return frame;
}

ScanResult RunScan(const ScanOptions& options) {
  HostWindow window(options.visible);
  std::unique_ptr<app::Panel> frame;
  app::Win32ListView::Options listOptions = ErrorListOptions();
  if (options.label) {
    frame = MakeScanFrame(window.Handle());
    listOptions.bounds = frame->PixelsOf(app::layout::kErrorList);
  }
  app::Win32ListView realList(frame ? frame->Handle() : window.Handle(), listOptions);
  window.list = &realList;
  platform::Win32Registry realRegistry;
  platform::Win32FileSystem realFiles;
  platform::Win32MessagePump win32Pump;
  PeekPump peekPump;
  NoYieldPump noYieldPump;
  NoPump noPump;
  platform::MessagePump& realPump = options.pump == "none"      ? static_cast<platform::MessagePump&>(noPump)
                                    : options.pump == "noyield" ? static_cast<platform::MessagePump&>(noYieldPump)
                                    : options.pump == "peek"    ? static_cast<platform::MessagePump&>(peekPump)
                                                                : static_cast<platform::MessagePump&>(win32Pump);
  Profile unused;
  Profile& profile = options.profile ? *options.profile : unused;
  TimedRegistry timedRegistry(realRegistry, profile);
  std::unique_ptr<TimedPump> timedPump;
  if (options.profile) timedPump = std::make_unique<TimedPump>(realPump, profile);
  TimedList timedList(realList, profile);
  const bool timed = options.profile != nullptr;
  platform::Registry& registry = timed ? static_cast<platform::Registry&>(timedRegistry) : realRegistry;
  CountingPump pump(timed ? static_cast<platform::MessagePump&>(*timedPump) : realPump);
  app::ListView& list = timed ? static_cast<app::ListView&>(timedList) : realList;
  FileSystemTap files(realFiles, options.paths, timed ? &profile.exists : nullptr);
  std::unique_ptr<PaintTimer> paintTimer;
  if (timed) paintTimer = std::make_unique<PaintTimer>(realList.Handle(), &profile.listPaint);

  // The system's code page, as the program takes it.
  const platform::CodePage& codePage = platform::Win32CodePage::System();
  app::FindingClassifier classifier(list, files, codePage);
  engine::cRegSearch search(registry, pump, codePage);
  app::ConfigureScan(search);

  ScanResult result;
  search.SearchKeyChanged = [&](const std::string& name) {
    ++result.keys;
    if (!frame) return;
    if (!timed) return frame->SetLabelText(kCurrentKeyLabel, name);
    Timed t(&profile.label);
    frame->SetLabelText(kCurrentKeyLabel, name);
  };
  search.SearchFound = [&](const std::string& root, const std::string& key, const std::string& value,
                           std::int32_t lFound) {
    ++result.hits;
    if (!timed) return classifier.cReg_SearchFound(root, key, value, lFound);
    Timed t(&profile.classify);
    classifier.cReg_SearchFound(root, key, value, lFound);
  };
  // A Stop button whose clicks are reported at once, for bench/native/stop_click.cpp.
  int clicks = 0;
  HWND stopButton = nullptr;
  if (options.stopClicks > 0) {
    stopButton = CreateWindowExA(0, "BUTTON", "Stop Search", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, 450, 120, 30,
                                 window.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStopButtonId)),
                                 GetModuleHandleA(nullptr), nullptr);
    window.command = [&](WORD id) {
      if (id != kStopButtonId) return;
      std::printf("clicked\n");
      std::fflush(stdout);
      if (++clicks >= options.stopClicks) StopScan = true;
    };
  }
  PeekPump().ProcessPending();  // the window's own start-up messages are not the scan's
  if (stopButton) {
    RECT r = {};
    GetWindowRect(stopButton, &r);
    std::printf("stop-button %ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    std::fflush(stdout);
  }
  StopScan = false;
  const Clock::time_point start = Clock::now();
  if (options.frozenList) SendMessageA(realList.Handle(), WM_SETREDRAW, FALSE, 0);
  search.DoSearch();
  while (clicks < options.stopClicks) {  // a new scan, as Start Search makes it
    realList.Clear();
    StopScan = false;
    search.DoSearch();
  }
  if (options.frozenList) {
    SendMessageA(realList.Handle(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(realList.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  }
  result.seconds = SecondsSince(start);
  result.rows = realList.Count();
  result.pumpCalls = pump.calls;
  window.list = nullptr;
  return result;
}

struct FloorResult {
  double seconds = 0;
  long keys = 0;  // keys below the roots that opened
  long values = 0;
  long pumpCalls = 0;  // the limit's message processing calls
  long existenceTests = 0;
};

// The least a walk must do: one open per key (relative to its parent), every
// value and every sub key enumerated into buffers on the stack, one close.
// With a pump, messages are processed before every RegEnumKeyA call, as the
// scan must.
void FloorWalk(HKEY parent, const char* name, bool isRoot, platform::MessagePump* pump, FloorResult* result) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, name, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  if (!isRoot) {
    ++result->keys;
    char valueName[260];
    BYTE data[4096];
    for (DWORD i = 0;; ++i) {
      DWORD nameLength = sizeof(valueName);
      DWORD dataLength = sizeof(data);
      DWORD type = 0;
      if (RegEnumValueA(key, i, valueName, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) break;
      ++result->values;
    }
  }
  char subKey[260];
  for (DWORD i = 0;; ++i) {
    if (pump) {
      pump->ProcessPending();
      ++result->pumpCalls;
    }
    if (RegEnumKeyA(key, i, subKey, sizeof(subKey)) != ERROR_SUCCESS) break;
    FloorWalk(key, subKey, false, pump, result);
  }
  RegCloseKey(key);
}

const HKEY kRoots[] = {HKEY_CLASSES_ROOT,     HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE, HKEY_USERS,
                       HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};

FloorResult RunFloor() {
  FloorResult result;
  const Clock::time_point start = Clock::now();
  for (HKEY root : kRoots) FloorWalk(root, "", true, nullptr, &result);
  result.seconds = SecondsSince(start);
  return result;
}

// The floor walk with the program's message processing (on an empty queue:
// no window is open) before every RegEnumKeyA call, then the existence test
// of every path the scan tested, through the program's file system.
FloorResult RunLimit(const std::vector<std::string>& paths) {
  platform::Win32MessagePump pump;
  platform::Win32FileSystem files;
  pump.ProcessPending();  // whatever an earlier window left behind is not the limit's
  FloorResult result;
  const Clock::time_point start = Clock::now();
  for (HKEY root : kRoots) FloorWalk(root, "", true, &pump, &result);
  for (const std::string& path : paths) engine::FileExists(files, path);
  result.seconds = SecondsSince(start);
  result.existenceTests = static_cast<long>(paths.size());
  return result;
}

struct ExportResult {
  double seconds = 0;
  long keys = 0;  // key lines in the export
  long long bytes = 0;
  bool ok = false;
};

// Key lines of a UTF-16 export: "[" at the start of a line.
void CountExport(const std::string& path, ExportResult* result) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return;
  std::vector<unsigned char> chunk(1 << 20);
  unsigned char previous[2] = {'\n', 0};
  std::size_t n = 0;
  while ((n = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
    result->bytes += static_cast<long long>(n);
    for (std::size_t i = 0; i + 1 < n; i += 2) {
      if (chunk[i] == '[' && chunk[i + 1] == 0 && previous[0] == '\n' && previous[1] == 0) ++result->keys;
      previous[0] = chunk[i];
      previous[1] = chunk[i + 1];
    }
  }
  std::fclose(file);
}

ExportResult RunRegedit(const std::string& exportPath) {
  ExportResult result;
  DeleteFileA(exportPath.c_str());
  std::string command = "C:\\windows\\regedit.exe /e \"" + exportPath + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  const Clock::time_point start = Clock::now();
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return result;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  result.seconds = SecondsSince(start);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CountExport(exportPath, &result);
  result.ok = result.bytes > 0;
  return result;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  std::string exportPath = "C:\\hivesweep-bench-export.reg";
  ScanOptions scanOptions;
  bool profile = false;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--export" && i + 1 < argc) {
      exportPath = argv[++i];
    } else if (arg == "--hidden") {
      scanOptions.visible = false;
    } else if (arg == "--stop-click" && i + 1 < argc) {
      scanOptions.stopClicks = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--no-label") {
      scanOptions.label = false;
    } else if (arg == "--frozen-list") {
      scanOptions.frozenList = true;
    } else if (arg == "--profile") {
      profile = true;
    } else if (arg == "--pump" && i + 1 < argc) {
      scanOptions.pump = argv[++i];
    } else if (arg == "--only" && i + 1 < argc) {
      only = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: scan_bench.exe [--runs N] [--export FILE] [--only scan|floor|regedit|limit] [--profile]\n"
                   "                      [--pump win32|peek|noyield|none] [--no-label] [--hidden] [--frozen-list]\n"
                   "                      [--stop-click N]\n");
      return 2;
    }
  }
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  if (scanOptions.stopClicks > 0) {
    RunScan(scanOptions);
    std::printf("done\n");
    return 0;
  }
  const auto wanted = [&](const char* name) { return only.empty() || only == name; };

  // The limit tests the paths the scan tested: the first scan collects them
  // (with --only limit, a scan that is not timed).
  std::vector<std::string> scanPaths;
  if (!wanted("scan") && wanted("limit")) {
    ScanOptions collect = scanOptions;
    collect.paths = &scanPaths;
    RunScan(collect);
  }

  std::vector<double> scanTimes, floorTimes, regeditTimes, limitTimes;
  ScanResult scan;
  FloorResult floor, limit;
  ExportResult exported;
  for (int run = 0; run < runs; ++run) {
    // Rotate the order so that none of the four always runs first or last;
    // the first run starts with the scan, which collects the limit's paths.
    for (int k = 0; k < 4; ++k) {
      switch ((run + k) % 4) {
        case 0:
          if (wanted("scan")) {
            ScanOptions options = scanOptions;
            if (scanTimes.empty()) options.paths = &scanPaths;
            scan = RunScan(options);
            scanTimes.push_back(scan.seconds);
          }
          break;
        case 1:
          if (wanted("floor")) {
            floor = RunFloor();
            floorTimes.push_back(floor.seconds);
          }
          break;
        case 2:
          if (wanted("regedit")) {
            exported = RunRegedit(exportPath);
            if (!exported.ok) {
              std::fprintf(stderr, "the registry editor wrote no export to %s\n", exportPath.c_str());
              return 1;
            }
            regeditTimes.push_back(exported.seconds);
          }
          break;
        default:
          if (wanted("limit")) {
            limit = RunLimit(scanPaths);
            limitTimes.push_back(limit.seconds);
          }
          break;
      }
    }
    std::printf("run %d:", run + 1);
    if (!scanTimes.empty()) std::printf(" scan %.3f s", scanTimes.back());
    if (!regeditTimes.empty()) std::printf(" regedit %.3f s", regeditTimes.back());
    if (!floorTimes.empty()) std::printf(" floor %.3f s", floorTimes.back());
    if (!limitTimes.empty()) std::printf(" limit %.3f s", limitTimes.back());
    std::printf("\n");
    std::fflush(stdout);
  }

  if (!scanTimes.empty()) {
    std::printf("scan: %ld keys, %ld hits, %ld rows, %ld message processing calls\n", scan.keys, scan.hits,
                scan.rows, scan.pumpCalls);
  }
  if (!floorTimes.empty()) std::printf("floor: %ld keys, %ld values\n", floor.keys, floor.values);
  if (!limitTimes.empty()) {
    std::printf("limit: %ld keys, %ld values, %ld message processing calls, %ld existence tests\n", limit.keys,
                limit.values, limit.pumpCalls, limit.existenceTests);
  }
  if (!regeditTimes.empty()) std::printf("regedit /e: %ld keys, %lld bytes\n", exported.keys, exported.bytes);
  std::printf("median of %d runs:", runs);
  if (!scanTimes.empty()) std::printf(" scan %.3f s", Median(scanTimes));
  if (!regeditTimes.empty()) std::printf(" regedit %.3f s", Median(regeditTimes));
  if (!floorTimes.empty()) std::printf(" floor %.3f s", Median(floorTimes));
  if (!limitTimes.empty()) std::printf(" limit %.3f s", Median(limitTimes));
  std::printf("\n");
  // The ratio of each run's pair, measured minutes apart at most, then the
  // median of those: a run slowed as a whole does not tip the figure.
  const auto printRatio = [](const char* label, const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> r;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) r.push_back(a[i] / b[i]);
    if (!r.empty()) std::printf("%s ratio: %.2f\n", label, Median(r));
  };
  printRatio("scan/regedit", scanTimes, regeditTimes);
  printRatio("scan/floor", scanTimes, floorTimes);
  printRatio("scan/limit", scanTimes, limitTimes);
  printRatio("regedit/floor", regeditTimes, floorTimes);
  printRatio("limit/floor", limitTimes, floorTimes);

  if (profile) {
    Profile p;
    ScanOptions timed = scanOptions;
    timed.profile = &p;
    const ScanResult r = RunScan(timed);
    std::printf("profile of one more scan (%.3f s with the timing):\n", r.seconds);
    // The handler's time less its existence tests and list operations is the
    // path extraction and the finding's texts; the message processing less
    // the list's paints is the queue's own cost.
    CallTally extract{"extraction, finding"};
    extract.calls = p.classify.calls;
    extract.seconds = p.classify.seconds - p.exists.seconds - p.listAdd.seconds - p.listSet.seconds -
                      p.listOther.seconds;
    CallTally busy{"messages: dispatched"};  // less the list's paints
    busy.calls = p.pumpBusy.calls;
    busy.seconds = p.pumpBusy.seconds - p.listPaint.seconds;
    double accounted = 0;
    for (const CallTally* t : {&p.open, &p.enumKey, &p.enumValue, &p.close, &p.pumpEmpty, &busy, &p.listPaint,
                               &p.exists, &extract, &p.listAdd, &p.listSet, &p.listOther, &p.label}) {
      std::printf("  %-22s %9lld calls %9.3f s %8.1f us/call %5.1f%%\n", t->name, t->calls, t->seconds,
                  t->calls ? t->seconds * 1e6 / static_cast<double>(t->calls) : 0.0, 100 * t->seconds / r.seconds);
      accounted += t->seconds;
    }
    std::printf("  %-22s %15s %9.3f s %17s %5.1f%%\n", "engine and the rest", "", r.seconds - accounted, "",
                100 * (r.seconds - accounted) / r.seconds);
    std::printf("  messages dispatched: %ld (timer %ld, paint %ld, input %ld, other %ld)\n", p.messages.all,
                p.messages.timer, p.messages.paint, p.messages.input, p.messages.other);
  }
  return 0;
}
