// Splits and cuts of ANSI text by characters. Under a double-byte code page
// the trail byte of a character may have the value of '\', '|' or a letter
// (ソ is 83 5C, ポ is 83 7C); such a byte is part of its character and never a
// marker of its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace engine {

// Position of the last backslash that is a character of its own; npos when
// there is none.
std::size_t LastBackslash(std::string_view text, const platform::CodePage& codePage);

// The text with every trail byte replaced by a byte that no ASCII marker
// holds: a byte-wise search for an ASCII marker in it finds the marker only
// where it stands as whole characters, at the same position as in the text.
std::string MaskTrailBytes(std::string_view text, const platform::CodePage& codePage);

}  // namespace engine
