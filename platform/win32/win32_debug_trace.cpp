#include <windows.h>

#include "platform/debug_trace.h"

namespace platform {

void TraceIgnoredError(const char* where) noexcept {
  try {
    OutputDebugStringA(IgnoredErrorLine(where).c_str());
  } catch (...) {
    OutputDebugStringA("Hivesweep: an error was ignored\n");
  }
}

}  // namespace platform
