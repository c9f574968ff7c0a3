// Clicks the scan benchmark's Stop button through the X server, as a user's
// mouse would, and times how late the click is handled: from the moment the
// X server has the press and release to the moment the button's handler has
// run (scan_bench.exe --stop-click writes "clicked" to its standard output,
// which is this program's standard input).
//
// Reads "stop-button X Y" (screen coordinates) from standard input, then
// clicks there COUNT times at random intervals while the scan runs, and
// prints each delay and their median and maximum. The X libraries are
// loaded at run time, so no development package is needed to build it.
//
// Usage: scan_bench.exe --stop-click COUNT | stop_click COUNT
#include <dlfcn.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct XLibrary {
  void* (*openDisplay)(const char*) = nullptr;
  int (*closeDisplay)(void*) = nullptr;
  int (*sync)(void*, int) = nullptr;
  int (*fakeMotion)(void*, int, int, int, unsigned long) = nullptr;
  int (*fakeButton)(void*, unsigned, int, unsigned long) = nullptr;

  bool Load() {
    void* x11 = dlopen("libX11.so.6", RTLD_NOW);
    void* xtst = dlopen("libXtst.so.6", RTLD_NOW);
    if (!x11 || !xtst) return false;
    openDisplay = reinterpret_cast<decltype(openDisplay)>(dlsym(x11, "XOpenDisplay"));
    closeDisplay = reinterpret_cast<decltype(closeDisplay)>(dlsym(x11, "XCloseDisplay"));
    sync = reinterpret_cast<decltype(sync)>(dlsym(x11, "XSync"));
    fakeMotion = reinterpret_cast<decltype(fakeMotion)>(dlsym(xtst, "XTestFakeMotionEvent"));
    fakeButton = reinterpret_cast<decltype(fakeButton)>(dlsym(xtst, "XTestFakeButtonEvent"));
    return openDisplay && closeDisplay && sync && fakeMotion && fakeButton;
  }
};

// Reads lines until one starts with `prefix`; false at the end of the input
// or when none came within `timeoutMs`.
bool ReadUntil(const std::string& prefix, std::string* line, int timeoutMs) {
  const Clock::time_point until = Clock::now() + std::chrono::milliseconds(timeoutMs);
  line->clear();
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    pollfd input = {STDIN_FILENO, POLLIN, 0};
    if (left <= 0 || poll(&input, 1, static_cast<int>(left)) <= 0) return false;
    char c = 0;
    if (read(STDIN_FILENO, &c, 1) != 1) return false;
    if (c != '\n') {
      line->push_back(c);
    } else if (line->compare(0, prefix.size(), prefix) == 0) {
      return true;
    } else {
      line->clear();
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  XLibrary x;
  if (!x.Load()) {
    std::fprintf(stderr, "stop_click: libX11.so.6 or libXtst.so.6 is missing\n");
    return 2;
  }
  void* display = x.openDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "stop_click: cannot open the display\n");
    return 2;
  }
  std::string line;
  int left = 0;
  int top = 0;
  if (!ReadUntil("stop-button ", &line, 120000) || std::sscanf(line.c_str(), "stop-button %d %d", &left, &top) != 2) {
    std::fprintf(stderr, "stop_click: the benchmark named no button\n");
    return 1;
  }
  std::mt19937 rng(12345);
  std::vector<double> delays;
  for (int i = 0; i < count; ++i) {
    // Clicks land anywhere in the walk: at random moments 150 to 400 ms apart.
    std::this_thread::sleep_for(std::chrono::milliseconds(150 + rng() % 250));
    x.fakeMotion(display, -1, left, top, 0);
    x.fakeButton(display, 1, 1, 0);
    x.fakeButton(display, 1, 0, 0);
    x.sync(display, 0);
    const Clock::time_point clicked = Clock::now();
    if (!ReadUntil("clicked", &line, 10000)) {
      std::fprintf(stderr, "stop_click: click %d was not handled within 10 s\n", i + 1);
      return 1;
    }
    delays.push_back(std::chrono::duration<double, std::milli>(Clock::now() - clicked).count());
  }
  ReadUntil("done", &line, 120000);
  x.closeDisplay(display);

  std::printf("stop click handled after (ms):");
  for (double d : delays) std::printf(" %.1f", d);
  std::sort(delays.begin(), delays.end());
  std::printf("\nstop click delay: median %.1f ms, max %.1f ms over %d clicks\n", delays[delays.size() / 2],
              delays.back(), count);
  return 0;
}
