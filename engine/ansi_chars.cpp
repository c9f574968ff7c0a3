#include "engine/ansi_chars.h"

namespace engine {

std::size_t LastBackslash(std::string_view text, const platform::CodePage& codePage) {
  if (!codePage.HasLeadBytes()) return text.rfind('\\');
  std::size_t last = std::string_view::npos;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t size = codePage.CharSize(text, at);
    if (size == 1 && text[at] == '\\') last = at;
    at += size;
  }
  return last;
}

std::string MaskTrailBytes(std::string_view text, const platform::CodePage& codePage) {
  std::string masked(text);
  for (std::size_t at = 0; at < masked.size();) {
    const std::size_t size = codePage.CharSize(text, at);
    if (size == 2) masked[at + 1] = '\x80';
    at += size;
  }
  return masked;
}

}  // namespace engine
