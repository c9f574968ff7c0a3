// Text conversions for the substitutes: Windows-1252 (the substitute code
// page's default, see substitute_code_page.h), and UTF-8, which is how tests
// spell text the code page cannot hold.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// ANSI bytes to characters; every byte has a character (the five bytes the
// code page leaves undefined map to the C1 controls, as on Windows).
std::u32string DecodeAnsi(std::string_view ansi);
// Characters to ANSI bytes; a character the code page cannot hold becomes '?'.
std::string EncodeAnsi(std::u32string_view text);

std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);

// Case folding for the case-insensitive names of the registry and the file
// system, and the upper-casing of the substitute code pages: Latin letters,
// Latin-1, Greek, Cyrillic and the full-width Latin letters (code page 932
// holds the last three).
char32_t FoldCase(char32_t c);
std::u32string FoldCase(std::u32string_view text);

}  // namespace platform
