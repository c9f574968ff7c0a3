#include <cstdio>
#include <cstdlib>

#include "platform/debug_trace.h"

namespace platform {

// Quiet unless asked for: tests make many steps fail on purpose.
void TraceIgnoredError(const char* where) noexcept {
  if (std::getenv("HIVESWEEP_TRACE") == nullptr) return;
  try {
    std::fputs(IgnoredErrorLine(where).c_str(), stderr);
  } catch (...) {
    std::fputs("Hivesweep: an error was ignored\n", stderr);
  }
}

}  // namespace platform
