// PathExtractor on arbitrary text: the same as a plain step-by-step reading
// of the cuts, one string search and one erase per step.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/path_extractor.h"

namespace {

// The cuts read one by one, each on the text the previous one left.
std::string StepByStep(std::string text) {
  const auto keepFrom = [&](const char* marker) {
    const std::size_t at = text.find(marker);
    if (at != std::string::npos) text.erase(0, at);
  };
  const auto cutBefore = [&](char marker) {
    const std::size_t at = text.find(marker);
    if (at != std::string::npos) text.erase(at);
  };
  keepFrom("C:\\");
  keepFrom("c:\\");
  for (char marker : {'/', '*', '?', '"', '<', '>', '|', ',', '(', ';'}) cutBefore(marker);
  if (text.find("C:\\") == std::string::npos) text = "C:\\";
  for (const char* marker : {".exe:", ".EXE:", ".EXE ", ".exe ", ".SYS ", ".sys ", ".EXE\\", ".exe\\", ".DLL\\",
                             ".dll\\", ".OCX\\", ".ocx\\"}) {
    const std::size_t at = text.find(marker);
    if (at != std::string::npos) text.erase(at + 4);
  }
  cutBefore('*');
  if (text.size() > 2) {
    const std::size_t colon = text.find(':', 2);
    if (colon != std::string::npos) text.erase(colon);
  }
  for (std::size_t at = text.find(" %1"); at != std::string::npos; at = text.find(" %1", at)) text.erase(at, 3);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string path = engine::PathExtractor(input);
  if (path != StepByStep(input)) {
    std::fprintf(stderr, "PathExtractor of %zu bytes: \"%s\", step by step \"%s\"\n", input.size(), path.c_str(),
                 StepByStep(input).c_str());
    std::abort();
  }
  return 0;
}
