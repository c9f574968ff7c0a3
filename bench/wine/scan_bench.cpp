// Times the full scan in the registry of the Wine prefix it runs in, against
// the registry editor exporting the whole of the same registry, and against a
// bare enumeration walk (open, enumerate values, enumerate sub keys, close)
// over the same seven roots as the floor that no walk of the registry can go
// below. The three are timed in the same process run after run, in rotating
// order, and the medians and their ratios are printed.
//
// The scan is the program's own: the search with the scan's parameters, the
// finding classifier, the existence test through the file system, rows into
// a real list view of a shown window, the registry through the Win32 calls
// and message processing through the Win32 message pump.
//
// --profile runs the scan once more with every facility call timed, and
// prints where the scan's time goes: per registry call, message processing,
// existence tests and list operations. --pump picks the message processing
// for the scan: the program's own (win32, the default), the same loop with
// PM_NOYIELD (noyield), or none at all (none, which keeps no window alive and
// only shows what message processing costs). --hidden keeps the list's
// window hidden; --frozen-list turns the list's redrawing off for the scan
// and back on (with one repaint) at its end. These two show what the list
// view's drawing costs; the program itself scans into a shown, drawing list.
//
// Usage: scan_bench.exe [--runs N] [--export FILE] [--hidden] [--frozen-list]
//                       [--only scan|floor|regedit] [--profile] [--pump win32|noyield|none]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/error_list.h"
#include "app/finding_classifier.h"
#include "app/scan_parameters.h"
#include "app/win32/win32_list_view.h"
#include "engine/reg_search.h"
#include "engine/stop_scan.h"
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
                              0, 0, 640, 480, nullptr, nullptr, wc.hInstance, this);
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
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};

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
  CallTally pump{"message processing"};
  CallTally classify{"classifier"};  // the whole SearchFound handler
  CallTally listAdd{"list row added"};
  CallTally listSet{"list sub item set"};
  CallTally listOther{"other list operations"};
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

class TimedPump final : public platform::MessagePump {
 public:
  TimedPump(platform::MessagePump& inner, CallTally& tally) : inner_(inner), tally_(tally) {}
  void ProcessPending() override {
    Timed t(&tally_);
    inner_.ProcessPending();
  }

 private:
  platform::MessagePump& inner_;
  CallTally& tally_;
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

class NoPump final : public platform::MessagePump {
 public:
  void ProcessPending() override {}
};

struct ScanResult {
  double seconds = 0;
  long keys = 0;  // SearchKeyChanged events
  long hits = 0;  // SearchFound events
  long rows = 0;  // findings in the list
};

struct ScanOptions {
  bool visible = true;
  bool frozenList = false;
  std::string pump = "win32";
  Profile* profile = nullptr;  // when set, every facility call is timed
};

ScanResult RunScan(const ScanOptions& options) {
  HostWindow window(options.visible);
  app::Win32ListView realList(window.Handle(), ErrorListOptions());
  window.list = &realList;
  platform::Win32Registry realRegistry;
  platform::Win32FileSystem realFiles;
  platform::Win32MessagePump win32Pump;
  NoYieldPump noYieldPump;
  NoPump noPump;
  platform::MessagePump& realPump = options.pump == "none"      ? static_cast<platform::MessagePump&>(noPump)
                                    : options.pump == "noyield" ? static_cast<platform::MessagePump&>(noYieldPump)
                                                                : static_cast<platform::MessagePump&>(win32Pump);
  Profile unused;
  Profile& profile = options.profile ? *options.profile : unused;
  TimedRegistry timedRegistry(realRegistry, profile);
  TimedPump timedPump(realPump, profile.pump);
  TimedList timedList(realList, profile);
  const bool timed = options.profile != nullptr;
  platform::Registry& registry = timed ? static_cast<platform::Registry&>(timedRegistry) : realRegistry;
  platform::MessagePump& pump = timed ? static_cast<platform::MessagePump&>(timedPump) : realPump;
  app::ListView& list = timed ? static_cast<app::ListView&>(timedList) : realList;

  app::FindingClassifier classifier(list, realFiles);
  engine::cRegSearch search(registry, pump);
  app::ConfigureScan(search);

  ScanResult result;
  search.SearchKeyChanged = [&](const std::string&) { ++result.keys; };
  search.SearchFound = [&](const std::string& root, const std::string& key, const std::string& value,
                           std::int32_t lFound) {
    ++result.hits;
    if (!timed) return classifier.cReg_SearchFound(root, key, value, lFound);
    Timed t(&profile.classify);
    classifier.cReg_SearchFound(root, key, value, lFound);
  };
  win32Pump.ProcessPending();  // the window's own start-up messages are not the scan's
  StopScan = false;
  const Clock::time_point start = Clock::now();
  if (options.frozenList) SendMessageA(realList.Handle(), WM_SETREDRAW, FALSE, 0);
  search.DoSearch();
  if (options.frozenList) {
    SendMessageA(realList.Handle(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(realList.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  }
  result.seconds = SecondsSince(start);
  result.rows = realList.Count();
  window.list = nullptr;
  return result;
}

struct FloorResult {
  double seconds = 0;
  long keys = 0;  // keys below the roots that opened
  long values = 0;
};

// The least a walk must do: one open per key (relative to its parent), every
// value and every sub key enumerated into buffers on the stack, one close.
void FloorWalk(HKEY parent, const char* name, bool isRoot, FloorResult* result) {
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
  for (DWORD i = 0; RegEnumKeyA(key, i, subKey, sizeof(subKey)) == ERROR_SUCCESS; ++i) {
    FloorWalk(key, subKey, false, result);
  }
  RegCloseKey(key);
}

FloorResult RunFloor() {
  static const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,    HKEY_LOCAL_MACHINE, HKEY_USERS,
                               HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
  FloorResult result;
  const Clock::time_point start = Clock::now();
  for (HKEY root : roots) FloorWalk(root, "", true, &result);
  result.seconds = SecondsSince(start);
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
                   "usage: scan_bench.exe [--runs N] [--export FILE] [--hidden] [--frozen-list]\n"
                   "                      [--only scan|floor|regedit] [--profile] [--pump win32|noyield|none]\n");
      return 2;
    }
  }
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);

  std::vector<double> scanTimes, floorTimes, regeditTimes;
  ScanResult scan;
  FloorResult floor;
  ExportResult exported;
  for (int run = 0; run < runs; ++run) {
    // Rotate the order so that none of the three always runs first or last.
    for (int k = 0; k < 3; ++k) {
      switch ((run + k) % 3) {
        case 0:
          if (only.empty() || only == "scan") {
            scan = RunScan(scanOptions);
            scanTimes.push_back(scan.seconds);
          }
          break;
        case 1:
          if (only.empty() || only == "floor") {
            floor = RunFloor();
            floorTimes.push_back(floor.seconds);
          }
          break;
        default:
          if (only.empty() || only == "regedit") {
            exported = RunRegedit(exportPath);
            if (!exported.ok) {
              std::fprintf(stderr, "the registry editor wrote no export to %s\n", exportPath.c_str());
              return 1;
            }
            regeditTimes.push_back(exported.seconds);
          }
          break;
      }
    }
    std::printf("run %d:", run + 1);
    if (!scanTimes.empty()) std::printf(" scan %.3f s", scanTimes.back());
    if (!regeditTimes.empty()) std::printf(" regedit %.3f s", regeditTimes.back());
    if (!floorTimes.empty()) std::printf(" floor %.3f s", floorTimes.back());
    std::printf("\n");
    std::fflush(stdout);
  }

  if (!scanTimes.empty()) {
    std::printf("scan: %ld keys, %ld hits, %ld rows\n", scan.keys, scan.hits, scan.rows);
  }
  if (!floorTimes.empty()) std::printf("floor: %ld keys, %ld values\n", floor.keys, floor.values);
  if (!regeditTimes.empty()) std::printf("regedit /e: %ld keys, %lld bytes\n", exported.keys, exported.bytes);
  std::printf("median of %d runs:", runs);
  if (!scanTimes.empty()) std::printf(" scan %.3f s", Median(scanTimes));
  if (!regeditTimes.empty()) std::printf(" regedit %.3f s", Median(regeditTimes));
  if (!floorTimes.empty()) std::printf(" floor %.3f s", Median(floorTimes));
  std::printf("\n");
  // The ratio of each run's pair, measured minutes apart at most, then the
  // median of those: a run slowed as a whole does not tip the figure.
  const auto medianRatio = [](const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> r;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) r.push_back(a[i] / b[i]);
    return Median(r);
  };
  if (!scanTimes.empty() && !regeditTimes.empty()) {
    std::printf("scan/regedit ratio: %.2f\n", medianRatio(scanTimes, regeditTimes));
  }
  if (!scanTimes.empty() && !floorTimes.empty()) {
    std::printf("scan/floor ratio: %.2f\n", medianRatio(scanTimes, floorTimes));
  }
  if (!regeditTimes.empty() && !floorTimes.empty()) {
    std::printf("regedit/floor ratio: %.2f\n", medianRatio(regeditTimes, floorTimes));
  }

  if (profile) {
    Profile p;
    ScanOptions timed = scanOptions;
    timed.profile = &p;
    const ScanResult r = RunScan(timed);
    std::printf("profile of one more scan (%.3f s with the timing):\n", r.seconds);
    // The handler's time less its list operations is the path extraction
    // and the existence test, one of each per hit.
    CallTally exists{"extraction, existence"};
    exists.calls = p.classify.calls;
    exists.seconds = p.classify.seconds - p.listAdd.seconds - p.listSet.seconds - p.listOther.seconds;
    double accounted = 0;
    for (const CallTally* t : std::initializer_list<const CallTally*>{&p.open, &p.enumKey, &p.enumValue, &p.close, &p.pump, &exists,
                               &p.listAdd, &p.listSet, &p.listOther}) {
      std::printf("  %-22s %9lld calls %9.3f s %8.1f us/call %5.1f%%\n", t->name, t->calls, t->seconds,
                  t->calls ? t->seconds * 1e6 / static_cast<double>(t->calls) : 0.0, 100 * t->seconds / r.seconds);
      accounted += t->seconds;
    }
    std::printf("  %-22s %15s %9.3f s %17s %5.1f%%\n", "engine and the rest", "", r.seconds - accounted, "",
                100 * (r.seconds - accounted) / r.seconds);
  }
  return 0;
}
