// A line for the developer when the program ignores an error on purpose (a
// failed step is skipped and the next one runs): the user sees nothing, but
// the debug output tells what was skipped. Windows: the debugger's output
// (OutputDebugStringA); elsewhere standard error, when HIVESWEEP_TRACE is set.
#pragma once

#include <exception>
#include <string>

namespace platform {

// Call from inside a catch block: writes "Hivesweep: <where> ignored: <the
// error's text>". Never throws.
void TraceIgnoredError(const char* where) noexcept;

// "Hivesweep: <where> ignored: <the text of the error being handled>".
inline std::string IgnoredErrorLine(const char* where) {
  std::string text;
  try {
    throw;
  } catch (const std::exception& error) {
    text = error.what();
  } catch (...) {
    text = "an error of unknown kind";
  }
  return std::string("Hivesweep: ") + where + " ignored: " + text + "\n";
}

}  // namespace platform
