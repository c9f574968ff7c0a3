#include "engine/path_extractor.h"

#include <algorithm>
#include <array>

namespace engine {
namespace {

// Drops everything before the first occurrence of the marker, when it occurs.
void KeepFrom(std::string& text, const char* marker) {
  const std::size_t at = text.find(marker);
  if (at != std::string::npos) text.erase(0, at);
}

// Keeps only what stands before the first occurrence of the marker.
void CutBefore(std::string& text, char marker) {
  const std::size_t at = text.find(marker);
  if (at != std::string::npos) text.erase(at);
}

// Extensions followed by a character that ends the path there; the text is
// kept up to the extension's last letter.
constexpr std::array<const char*, 12> kExtensionEnds = {
    ".exe:", ".EXE:", ".EXE ", ".exe ", ".SYS ", ".sys ",
    ".EXE\\", ".exe\\", ".DLL\\", ".dll\\", ".OCX\\", ".ocx\\"};

constexpr std::size_t kReverseLimit = 32767;

}  // namespace

std::string PathExtractor(const std::string& value) {
  std::string text = value;
  KeepFrom(text, "C:\\");
  KeepFrom(text, "c:\\");
  for (char marker : {'/', '*', '?', '"', '<', '>', '|', ',', '(', ';'}) CutBefore(text, marker);
  if (text.find("C:\\") == std::string::npos) text = "C:\\";
  for (const char* marker : kExtensionEnds) {
    const std::size_t at = text.find(marker);
    if (at != std::string::npos) text.erase(at + 4);
  }
  CutBefore(text, '*');
  // A colon from the third character on ends the path (stream names, suffixes);
  // the drive's own colon stands before it.
  const std::size_t colon = text.size() > 2 ? text.find(':', 2) : std::string::npos;
  if (colon != std::string::npos) text.erase(colon);
  for (std::size_t at = text.find(" %1"); at != std::string::npos; at = text.find(" %1", at)) text.erase(at, 3);
  return text;
}

bool FileExists(platform::FileSystem& files, const std::string& path) {
  try {
    return files.PathExists(path);
  } catch (...) {
    return false;
  }
}

std::string ReverseText(const std::string& text) {
  if (text.size() > kReverseLimit) return std::string();
  return std::string(text.rbegin(), text.rend());
}

}  // namespace engine
