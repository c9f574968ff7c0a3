// Pulling the file path out of a registry value's text, and the existence test.
#pragma once

#include <string>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace engine {

// The path on drive C that a value's text names: a command line, a file with
// a resource index, a firewall entry and the like are cut down by literal
// markers to the path alone. A text naming no upper-case "C:\" path comes out
// as "C:\", which always exists. The markers are found only where they stand
// as characters of the code page (of a single-byte code page without one).
std::string PathExtractor(const std::string& text);
std::string PathExtractorByChars(const std::string& text, const platform::CodePage& codePage);
inline std::string PathExtractor(const std::string& text, const platform::CodePage& codePage) {
  return codePage.HasLeadBytes() ? PathExtractorByChars(text, codePage) : PathExtractor(text);
}

// True exactly when the platform confirms that the path names an existing
// file or folder; false for anything else, the empty path included.
bool FileExists(platform::FileSystem& files, const std::string& path);

// The text back to front; a text of more than 32,767 characters gives the
// empty text.
std::string ReverseText(const std::string& text);

}  // namespace engine
