// Case-insensitive comparison of ANSI text under a code page's upper-casing:
// a single-byte code page compares byte by byte through its upper-case table;
// a double-byte one compares whole characters, so that a match starts only
// where a character starts and a trail byte is never upper-cased on its own.
#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace engine {

// The rules the engine applies when its caller names no code page: Windows-1252
// as the user's text comparison rules have it (Latin letters, the accented
// Latin-1 letters and the few letters of 0x80-0x9F fold to upper case).
const platform::CodePage& DefaultCodePage();

// Upper case under the default rules.
unsigned char UpperAnsi(unsigned char c);
std::string UpperAnsi(std::string_view text);
// Upper case under a code page's rules, character by character.
std::string UpperAnsi(std::string_view text, const platform::CodePage& codePage);

// True when `upperNeedle` (already upper case under the same rules) occurs in
// `text`, ignoring case. An empty needle occurs in every text.
bool ContainsUpper(std::string_view text, std::string_view upperNeedle);
// The byte-wise search of a single-byte code page through its upper-case
// table, and the search by whole characters of a double-byte one.
bool ContainsUpperBytes(std::string_view text, std::string_view upperNeedle, const unsigned char* upper);
bool ContainsUpperChars(std::string_view text, std::string_view upperNeedle, const platform::CodePage& codePage);
// Chooses between the two here, so that the byte-wise search is called as
// directly as the search of the default rules.
inline bool ContainsUpper(std::string_view text, std::string_view upperNeedle, const platform::CodePage& codePage) {
  return codePage.HasLeadBytes() ? ContainsUpperChars(text, upperNeedle, codePage)
                                 : ContainsUpperBytes(text, upperNeedle, codePage.UpperTable());
}

}  // namespace engine
