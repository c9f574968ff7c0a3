// Native benchmarks of the engine: path extraction, value display text, and a
// full walk with the scan's parameters over a substitute registry of
// 1,000,000 values in 200,000 keys. Each is measured beside a baseline run in
// the same process, and the ratios are printed at the end:
//   - PathExtractor and ValueToText against copying the same texts or data;
//   - the scan's walk against a bare enumeration walk over the same registry
//     (open, every value, every sub key, close), which is all any walk must do.
// The walks report keys/s and values/s; peak memory (ru_maxrss) is reported
// before the registry is built, after it is built and after the walks.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/finding_classifier.h"
#include "app/memory_list_view.h"
#include "app/scan_parameters.h"
#include "engine/path_extractor.h"
#include "engine/reg_search.h"
#include "engine/registry_access.h"
#include "engine/stop_scan.h"
#include "platform/message_pump.h"
#include "platform/substitute/host_file_system.h"
#include "platform/substitute/memory_registry.h"

namespace {

namespace t = platform::reg_type;
constexpr std::uint32_t HKLM = 0x80000002u;

double MaxRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// --- texts as the scan meets them ---

const std::vector<std::string>& ValueTexts() {
  static const std::vector<std::string> texts = {
      "\"C:\\Program Files\\App\\app.exe\" -n",
      "C:\\Program Files\\App\\app.exe:*:Enabled:App",
      "C:\\WINDOWS\\system32\\shell32.dll,4",
      "rundll32.exe C:\\Tools\\x.dll,Start",
      "C:\\Tools\\run.bat %1",
      "C:\\data\\file.txt:extra",
      "\"D:\\Games\\g.exe\"",
      "c:\\windows\\notepad.exe",
      "*",
      "0x00000001(1)",
      "C:\\Program Files\\Common Files\\Microsoft Shared\\OFFICE16\\MSOXMLMF.DLL\\1",
      "C:\\Windows\\System32\\svchost.exe -k netsvcs -p -s Schedule",
      "\"C:\\Program Files (x86)\\Some Vendor\\Updater\\updater.exe\" /silent /background /log:C:\\temp\\u.log",
      "C:\\Users\\Public\\Documents\\report-2019.docx",
      "Temporarily unsupported",
      "C:\\",
  };
  return texts;
}

std::size_t TotalBytes(const std::vector<std::string>& texts) {
  std::size_t n = 0;
  for (const auto& s : texts) n += s.size();
  return n;
}

void BM_CopyTexts(benchmark::State& state) {
  const auto& texts = ValueTexts();
  for (auto _ : state) {
    for (const auto& text : texts) {
      std::string copy = text;
      benchmark::DoNotOptimize(copy);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(TotalBytes(texts)));
}
BENCHMARK(BM_CopyTexts);

void BM_PathExtractor(benchmark::State& state) {
  const auto& texts = ValueTexts();
  for (auto _ : state) {
    for (const auto& text : texts) {
      std::string path = engine::PathExtractor(text);
      benchmark::DoNotOptimize(path);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(TotalBytes(texts)));
}
BENCHMARK(BM_PathExtractor);

// --- value data as enumeration returns it ---

struct TypedData {
  std::uint32_t type;
  std::string data;
};

const std::vector<TypedData>& ValueData() {
  static const std::vector<TypedData> values = [] {
    std::vector<TypedData> v;
    v.push_back({t::kSz, std::string("\"C:\\Program Files\\App\\app.exe\" -n\0", 34)});
    v.push_back({t::kSz, std::string("Benchmark entry 12345\0", 22)});
    v.push_back({t::kMultiSz, std::string("C:\\one\0C:\\two\0\0", 15)});
    v.push_back({t::kDword, std::string("\x1F\0\0\0", 4)});
    v.push_back({t::kDword, std::string("\xFF\xFF\xFF\xFF", 4)});
    std::string bin16;
    for (int i = 0; i < 16; ++i) bin16.push_back(static_cast<char>(i * 37));
    v.push_back({t::kBinary, bin16});
    std::string bin256;
    for (int i = 0; i < 256; ++i) bin256.push_back(static_cast<char>(i));
    v.push_back({t::kBinary, bin256});
    v.push_back({t::kExpandSz, std::string("%SystemRoot%\\system32\\x.dll\0", 28)});
    return v;
  }();
  return values;
}

void BM_CopyData(benchmark::State& state) {
  const auto& values = ValueData();
  for (auto _ : state) {
    for (const auto& v : values) {
      std::string copy = v.data;
      benchmark::DoNotOptimize(copy);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_CopyData);

void BM_ValueToText(benchmark::State& state) {
  const auto& values = ValueData();
  for (auto _ : state) {
    for (const auto& v : values) {
      std::string text = engine::ValueToText(v.type, v.data);
      benchmark::DoNotOptimize(text);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_ValueToText);

// --- the walk over a substitute registry ---

constexpr int kGroups = 1000;
constexpr int kEntriesPerGroup = 199;  // 1000 groups + 199,000 entries = 200,000 keys
constexpr int kValuesPerKey = 5;       // 1,000,000 values
const char* const kBase = "Software\\Hivesweep Bench";

struct BenchRegistry {
  platform::MemoryRegistry registry;
  long keys = 0;
  long values = 0;
  double rssBeforeMb = 0;
  double rssAfterMb = 0;
};

// Entry n's values: a path on drive C (half of them present), a display name,
// a DWORD, binary data or a version text, and an install location.
void FillKey(platform::MemoryRegistry& r, const std::string& path, long n) {
  const std::string target = n % 2 == 0 ? "C:\\present\\app.exe" : "C:\\Removed App " + std::to_string(n % 1000) + "\\app.exe";
  switch (n % 4) {
    case 0: r.SetString(HKLM, path, "Path", target); break;
    case 1: r.SetString(HKLM, path, "Path", "\"" + target + "\" /background"); break;
    case 2: r.SetString(HKLM, path, "Path", target + ",0"); break;
    default: r.SetString(HKLM, path, "Path", "rundll32.exe " + target + ",Start"); break;
  }
  r.SetString(HKLM, path, "DisplayName", "Benchmark entry " + std::to_string(n));
  r.SetDword(HKLM, path, "Flags", static_cast<std::uint32_t>(n * 2654435761u));
  if (n % 2 == 0) {
    std::string bytes;
    for (int b = 0; b < 16; ++b) bytes.push_back(static_cast<char>((n + b * 37) & 0xFF));
    r.SetValue(HKLM, path, "Data", t::kBinary, bytes);
  } else {
    r.SetString(HKLM, path, "Version", "1." + std::to_string(n % 100) + "." + std::to_string(n % 7));
  }
  r.SetString(HKLM, path, "InstallLocation", "D:\\Apps\\" + std::to_string(n));
}

BenchRegistry& Registry() {
  static std::unique_ptr<BenchRegistry> built = [] {
    auto b = std::make_unique<BenchRegistry>();
    b->rssBeforeMb = MaxRssMegabytes();
    long n = 0;
    for (int g = 1; g <= kGroups; ++g) {
      const std::string group = std::string(kBase) + "\\Group " + std::to_string(g);
      FillKey(b->registry, group, n++);
      for (int e = 1; e <= kEntriesPerGroup; ++e) FillKey(b->registry, group + "\\Entry " + std::to_string(e), n++);
    }
    b->keys = n;
    b->values = n * kValuesPerKey;
    b->rssAfterMb = MaxRssMegabytes();
    return b;
  }();
  return *built;
}

// Message processing with no window: a count of the calls.
class CountingPump final : public platform::MessagePump {
 public:
  void ProcessPending() override { ++calls; }
  long calls = 0;
};

void ReportWalk(benchmark::State& state, const BenchRegistry& b) {
  // Keys below the base key (the base itself and the path to it are not counted).
  state.counters["keys/s"] =
      benchmark::Counter(static_cast<double>(b.keys), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["values/s"] =
      benchmark::Counter(static_cast<double>(b.values), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["rss_before_build_MB"] = b.rssBeforeMb;
  state.counters["rss_after_build_MB"] = b.rssAfterMb;
  state.counters["rss_after_walk_MB"] = MaxRssMegabytes();
}

void EnumerateOnly(platform::Registry& r, platform::RegHandle parent, const char* name, long* keys, long* values) {
  platform::RegHandle key = 0;
  if (r.OpenKeyEx(parent, name, 0, engine::kKeyReadAccess, &key) != 0) return;
  ++*keys;
  char valueName[engine::kNameBufferChars];
  unsigned char data[engine::kDataBufferBytes];
  for (std::uint32_t i = 0;; ++i) {
    std::uint32_t nameLength = sizeof(valueName);
    std::uint32_t dataLength = sizeof(data);
    std::uint32_t type = 0;
    if (r.EnumValue(key, i, valueName, &nameLength, &type, data, &dataLength) != 0) break;
    ++*values;
  }
  char subKey[engine::kNameBufferChars];
  for (std::uint32_t i = 0; r.EnumKey(key, i, subKey, sizeof(subKey)) == 0; ++i) {
    EnumerateOnly(r, key, subKey, keys, values);
  }
  r.CloseKey(key);
}

// The floor: every key opened once relative to its parent, every value and
// sub key enumerated into buffers on the stack, nothing else.
void BM_Walk_EnumerateOnly(benchmark::State& state) {
  BenchRegistry& b = Registry();
  long keys = 0;
  long values = 0;
  for (auto _ : state) {
    keys = 0;
    values = 0;
    for (const auto& root : engine::kRootKeys) EnumerateOnly(b.registry, root.handle, "", &keys, &values);
  }
  if (values != b.values) state.SkipWithError("the walk did not see every value");
  ReportWalk(state, b);
}
BENCHMARK(BM_Walk_EnumerateOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

// The scan's walk: all roots, value names and data, "C:\", the events
// counted by their handlers.
void BM_Walk_Scan(benchmark::State& state) {
  BenchRegistry& b = Registry();
  long keyEvents = 0;
  long hits = 0;
  CountingPump pump;
  for (auto _ : state) {
    engine::cRegSearch search(b.registry, pump);
    app::ConfigureScan(search);
    keyEvents = 0;
    hits = 0;
    search.SearchKeyChanged = [&](const std::string&) { ++keyEvents; };
    search.SearchFound = [&](const std::string&, const std::string&, const std::string&, std::int32_t) { ++hits; };
    StopScan = false;
    search.DoSearch();
  }
  if (hits != b.keys) state.SkipWithError("not every path value was a hit");
  state.counters["pump_calls"] = static_cast<double>(pump.calls) / static_cast<double>(state.iterations());
  ReportWalk(state, b);
}
BENCHMARK(BM_Walk_Scan)->Unit(benchmark::kMillisecond)->Iterations(3);

// The scan with its findings: the classifier tests each hit's path against a
// host folder that stands for drive C and lists the missing ones.
void BM_Walk_ScanWithFindings(benchmark::State& state) {
  BenchRegistry& b = Registry();
  const auto drive = std::filesystem::temp_directory_path() / ("hivesweep-bench-c-" + std::to_string(getpid()));
  std::filesystem::create_directories(drive / "present");
  std::ofstream(drive / "present" / "app.exe") << "";
  platform::HostFileSystem files(drive.string());
  CountingPump pump;
  long rows = 0;
  for (auto _ : state) {
    app::MemoryListView list;
    app::FindingClassifier classifier(list, files);
    engine::cRegSearch search(b.registry, pump);
    app::ConfigureScan(search);
    search.SearchFound = [&](const std::string& root, const std::string& key, const std::string& value,
                             std::int32_t lFound) { classifier.cReg_SearchFound(root, key, value, lFound); };
    StopScan = false;
    search.DoSearch();
    rows = list.Count();
  }
  std::filesystem::remove_all(drive);
  if (rows != b.keys / 2) state.SkipWithError("the findings are not the missing half");
  state.counters["rows"] = static_cast<double>(rows);
  ReportWalk(state, b);
}
BENCHMARK(BM_Walk_ScanWithFindings)->Unit(benchmark::kMillisecond)->Iterations(1);

// Keeps each run's processor time per iteration, so that ratios can be
// printed. Processor time, like the rates Google Benchmark reports, so that
// other work on the machine does not show in the figures.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal.
  RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (!run.error_occurred) times_[run.benchmark_name()] = run.GetAdjustedCPUTime() * Scale(run.time_unit);
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatios() const {
    std::printf("\nratios against the baseline of the same run:\n");
    Ratio("BM_PathExtractor", "BM_CopyTexts", "PathExtractor / copying the text");
    Ratio("BM_ValueToText", "BM_CopyData", "ValueToText / copying the data");
    Ratio("BM_Walk_Scan/iterations:3", "BM_Walk_EnumerateOnly/iterations:3", "scan walk / enumeration only");
    Ratio("BM_Walk_ScanWithFindings/iterations:1", "BM_Walk_EnumerateOnly/iterations:3",
          "scan with findings / enumeration only");
  }

 private:
  static double Scale(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond: return 1e9;
      case benchmark::kMillisecond: return 1e6;
      case benchmark::kMicrosecond: return 1e3;
      default: return 1;
    }
  }
  void Ratio(const std::string& measured, const std::string& baseline, const char* label) const {
    auto m = times_.find(measured);
    auto b = times_.find(baseline);
    if (m == times_.end() || b == times_.end() || b->second <= 0) return;
    std::printf("  %-40s %8.2f\n", label, m->second / b->second);
  }
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
