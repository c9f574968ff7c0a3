#include "engine/path_extractor.h"

#include <array>
#include <string_view>

#include "engine/ansi_chars.h"

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

// The cuts work on views of the value's text; only the result is copied. The
// markers are looked for in `marks`, the text itself or, under a double-byte
// code page, the text with its trail bytes masked, and the text is cut at the
// same places.
std::string Extract(std::string_view text, std::string_view marks) {
  const auto keep = [&](std::size_t from, std::size_t count) {
    text = text.substr(from, count);
    marks = marks.substr(from, count);
  };
  // Drop what stands before "C:\", then before "c:\".
  for (std::string_view drive : {kDriveC, std::string_view("c:\\")}) {
    const std::size_t at = marks.find(drive);
    if (at != std::string_view::npos) keep(at, std::string_view::npos);
  }
  const std::size_t end = marks.find_first_of(kPathEnds);
  if (end != std::string_view::npos) keep(0, end);
  if (marks.find(kDriveC) == std::string_view::npos) text = marks = kDriveC;
  keep(0, ExtensionEnd(marks));
  const std::size_t star = marks.find('*');
  if (star != std::string_view::npos) keep(0, star);
  // A colon from the third character on ends the path (stream names, suffixes);
  // the drive's own colon stands before it.
  const std::size_t colon = marks.size() > 2 ? marks.find(':', 2) : std::string_view::npos;
  if (colon != std::string_view::npos) keep(0, colon);

  // Every " %1" goes, left to right.
  std::string path;
  path.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at = marks.find(" %1"); at != std::string_view::npos; at = marks.find(" %1", from)) {
    path.append(text.substr(from, at - from));
    from = at + 3;
  }
  path.append(text.substr(from));
  return path;
}

}  // namespace

std::string PathExtractor(const std::string& value) { return Extract(value, value); }

std::string PathExtractor(const std::string& value, const platform::CodePage& codePage) {
  if (!codePage.HasLeadBytes()) return Extract(value, value);
  const std::string marks = MaskTrailBytes(value, codePage);
  return Extract(value, marks);
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
