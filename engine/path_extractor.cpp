#include "engine/path_extractor.h"

#include <array>
#include <string_view>

#include "engine/ansi_chars.h"
#include "platform/debug_trace.h"

namespace engine {
namespace {

// Extensions followed by a character that ends the path there; the text is
// kept up to the extension's last letter.
constexpr std::array<std::string_view, 12> kExtensionEnds = {
    ".exe:", ".EXE:", ".EXE ", ".exe ", ".SYS ", ".sys ",
    ".EXE\\", ".exe\\", ".DLL\\", ".dll\\", ".OCX\\", ".ocx\\"};

// Each of these ends the path where it first occurs. Cutting before each in
// turn leaves the text before the first occurrence of any of them.
constexpr std::string_view kPathEnds = "/*?\"<>|,(;";

constexpr std::string_view kDriveC = "C:\\";

// Where the extension markers leave the text, taken in their order, each
// searched for in what the one before left: a marker keeps the text up to its
// fourth character. Found in one pass over the dots: a marker's first
// occurrence in the shorter text is its first occurrence in the whole text
// when that one still lies wholly inside, and there is none otherwise.
std::size_t ExtensionEnd(std::string_view text) {
  std::array<std::size_t, kExtensionEnds.size()> first;
  first.fill(std::string_view::npos);
  for (std::size_t dot = text.find('.'); dot != std::string_view::npos && dot + 5 <= text.size();
       dot = text.find('.', dot + 1)) {
    const std::string_view here = text.substr(dot, 5);
    for (std::size_t k = 0; k < kExtensionEnds.size(); ++k) {
      if (first[k] == std::string_view::npos && here == kExtensionEnds[k]) first[k] = dot;
    }
  }
  std::size_t end = text.size();
  for (std::size_t at : first) {
    if (at != std::string_view::npos && at + 5 <= end) end = at + 4;
  }
  return end;
}

constexpr std::size_t kReverseLimit = 32767;

// The cuts by markers, on a view of the text: what stays of it, or kDriveC
// itself when no upper-case "C:\" is left.
std::string_view Cut(std::string_view text) {
  // Drop what stands before "C:\", then before "c:\".
  for (std::string_view drive : {kDriveC, std::string_view("c:\\")}) {
    const std::size_t at = text.find(drive);
    if (at != std::string_view::npos) text.remove_prefix(at);
  }
  const std::size_t end = text.find_first_of(kPathEnds);
  if (end != std::string_view::npos) text = text.substr(0, end);
  if (text.find(kDriveC) == std::string_view::npos) return kDriveC;
  text = text.substr(0, ExtensionEnd(text));
  const std::size_t star = text.find('*');
  if (star != std::string_view::npos) text = text.substr(0, star);
  // A colon from the third character on ends the path (stream names, suffixes);
  // the drive's own colon stands before it.
  const std::size_t colon = text.size() > 2 ? text.find(':', 2) : std::string_view::npos;
  if (colon != std::string_view::npos) text = text.substr(0, colon);
  return text;
}

constexpr std::string_view kPercentOne = " %1";

}  // namespace

// The cuts work on a view of the value's text; only the result is copied.
std::string PathExtractor(const std::string& value) {
  std::string path(Cut(value));
  for (std::size_t at = path.find(kPercentOne); at != std::string::npos; at = path.find(kPercentOne, at)) {
    path.erase(at, kPercentOne.size());
  }
  return path;
}

// The markers are found in a copy whose trail bytes match none of them, and
// the text is cut at the same places.
std::string PathExtractorByChars(const std::string& value, const platform::CodePage& codePage) {
  const std::string masked = MaskTrailBytes(value, codePage);
  const std::string_view marks = Cut(masked);
  if (marks.data() == kDriveC.data()) return std::string(kDriveC);
  const auto offset = static_cast<std::size_t>(marks.data() - masked.data());
  const std::string_view text = std::string_view(value).substr(offset, marks.size());
  // Every " %1" goes, left to right.
  std::string path;
  std::size_t from = 0;
  for (std::size_t at = marks.find(kPercentOne); at != std::string_view::npos; at = marks.find(kPercentOne, from)) {
    path.append(text.substr(from, at - from));
    from = at + kPercentOne.size();
  }
  return path.append(text.substr(from));
}

bool FileExists(platform::FileSystem& files, const std::string& path) {
  try {
    return files.PathExists(path);
  } catch (...) {
    platform::TraceIgnoredError("the existence test");
    return false;
  }
}

std::string ReverseText(const std::string& text) {
  if (text.size() > kReverseLimit) return std::string();
  return std::string(text.rbegin(), text.rend());
}

}  // namespace engine
