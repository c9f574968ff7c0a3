// Expected file text in tests: lines joined with CR LF after every line.
#pragma once

#include <initializer_list>
#include <string>

namespace testsupport {

inline std::string CrLfLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace testsupport
