// The installer test's hands inside Wine (driven by install_test.sh):
//   install_probe help   starts the installed program, clicks its Help link and
//                        checks that the help viewer opened the installed help
//                        file, then closes both; exit code 0 when it did.
//   install_probe scan   runs the program's own scan over the whole registry and
//                        prints every finding that mentions Hivesweep.
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/finding_classifier.h"
#include "app/memory_list_view.h"
#include "app/scan_parameters.h"
#include "engine/reg_search.h"
#include "engine/stop_scan.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_registry.h"
#include "tests/support/program.h"

namespace {

const char kInstalledExe[] = "C:\\Program Files\\Hivesweep\\hivesweep.exe";
const char kInstalledHelp[] = "C:\\Program Files\\Hivesweep\\help\\ZTV.chm";

int Fail(const char* what) {
  std::printf("FAIL: %s\n", what);
  return 1;
}

// The command line another process was started with, read from its process
// parameters.
std::string CommandLineOf(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return "";
  PROCESS_BASIC_INFORMATION basic = {};
  PEB peb = {};
  RTL_USER_PROCESS_PARAMETERS parameters = {};
  std::wstring text;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) == 0 &&
      ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof(peb), nullptr) &&
      ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof(parameters), nullptr)) {
    text.resize(parameters.CommandLine.Length / sizeof(wchar_t));
    ReadProcessMemory(process, parameters.CommandLine.Buffer, &text[0], parameters.CommandLine.Length, nullptr);
  }
  CloseHandle(process);
  return std::string(text.begin(), text.end());
}

int HelpLink() {
  testsupport::Program program(std::string("\"") + kInstalledExe + "\"");
  HWND form = program.WaitForWindow("Zentrova", 30000);
  if (!form) return Fail("the installed program shows no window");
  // The Help label's middle in the window's client area (twips at 96 DPI: 15 a pixel).
  POINT point = {(11025 + 615 / 2) / 15, (360 + 255 / 2) / 15};
  HWND banner = ChildWindowFromPointEx(form, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  if (!banner || banner == form) return Fail("no banner under the Help label");
  MapWindowPoints(form, banner, &point, 1);
  PostMessageA(banner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));  // a link opens on a click
  PostMessageA(banner, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));

  HWND viewer = nullptr;
  for (int waited = 0; !viewer && waited < 30000; waited += 100, Sleep(100)) viewer = FindWindowA(nullptr, "Hivesweep Help");
  if (!viewer) return Fail("no help viewer titled \"Hivesweep Help\" opened");
  DWORD viewerId = 0;
  GetWindowThreadProcessId(viewer, &viewerId);
  const std::string commandLine = CommandLineOf(viewerId);
  std::printf("help viewer: %s\n", commandLine.c_str());
  PostMessageA(viewer, WM_CLOSE, 0, 0);
  PostMessageA(form, WM_CLOSE, 0, 0);
  const bool ended = program.WaitForExit(10000);
  for (int waited = 0; IsWindow(viewer) && waited < 10000; waited += 100) Sleep(100);
  if (commandLine.find(kInstalledHelp) == std::string::npos) return Fail("the viewer did not get the installed help file");
  if (IsWindow(viewer) || !ended) return Fail("the viewer or the program did not close");
  return 0;
}

int Scan() {
  platform::Win32Registry registry;
  platform::Win32FileSystem files;
  platform::Win32MessagePump pump;
  app::MemoryListView list;
  app::FindingClassifier classifier(list, files);
  engine::cRegSearch search(registry, pump);
  app::ConfigureScan(search);
  search.SearchFound = [&](const std::string& root, const std::string& key, const std::string& value,
                           std::int32_t lFound) { classifier.cReg_SearchFound(root, key, value, lFound); };
  StopScan = false;
  search.DoSearch();
  for (app::RowNumber row = 1; row <= list.Count(); ++row) {
    const std::string line = list.SubItem(row, 1) + "\\" + list.SubItem(row, 2) + " = " + list.SubItem(row, 3);
    std::string lower = line;
    CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
    if (lower.find("hivesweep") != std::string::npos) std::printf("%s\n", line.c_str());
  }
  std::printf("findings: %d\n", static_cast<int>(list.Count()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "help") == 0) return HelpLink();
  if (argc == 2 && std::strcmp(argv[1], "scan") == 0) return Scan();
  std::fprintf(stderr, "usage: install_probe help|scan\n");
  return 2;
}
