// Case-insensitive comparison of ANSI text, as the user's text comparison
// rules have it for Windows-1252: Latin letters, accented Latin-1 letters and
// the few letters of 0x80-0x9F fold to upper case.
#pragma once

#include <string>
#include <string_view>

namespace engine {

unsigned char UpperAnsi(unsigned char c);
std::string UpperAnsi(std::string_view text);

// True when `upperNeedle` (already upper case) occurs in `text`, ignoring case.
// An empty needle occurs in every text.
bool ContainsUpper(std::string_view text, std::string_view upperNeedle);

}  // namespace engine
