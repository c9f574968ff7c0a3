// PathExtractor on arbitrary text: the result is always a path on drive C
// that no cut marker survives in, never longer than the text (or "C:\"), and
// the same as a plain step-by-step reading of the cuts, one string search and
// one erase per step.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/path_extractor.h"

namespace {

void Fail(const char* what, const std::string& input, const std::string& output) {
  std::fprintf(stderr, "PathExtractor property broken: %s\n  input  (%zu bytes)\n  output \"%s\"\n", what,
               input.size(), output.c_str());
  std::abort();
}

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
  std::string result;
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, 3, " %1") == 0) {
      i += 3;
    } else {
      result.push_back(text[i++]);
    }
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string path = engine::PathExtractor(input);

  if (path != StepByStep(input)) Fail("differs from the step-by-step reading", input, path);
  if (path.size() > input.size() && path != "C:\\") Fail("longer than its input", input, path);
  if (path.size() < 3) Fail("shorter than a drive", input, path);
  const bool upperDrive = path.compare(0, 3, "C:\\") == 0;
  const bool lowerDrive = path.compare(0, 3, "c:\\") == 0;
  if (!upperDrive && !lowerDrive) Fail("does not begin with a drive C", input, path);
  // A lower-case drive only leads when the text held one that the cuts kept.
  if (lowerDrive && input.find("c:\\") == std::string::npos) Fail("lower-case drive out of nowhere", input, path);
  if (path.find_first_of("/*?\"<>|,(;") != std::string::npos) Fail("a cut marker survived", input, path);
  if (path.find(':', 2) != std::string::npos) Fail("a colon after the drive survived", input, path);
  if (path != "C:\\" && input.find(path.substr(0, 3)) == std::string::npos) Fail("drive not from the text", input, path);
  return 0;
}
