#include "platform/win32/win32_code_page.h"

#include <windows.h>

namespace platform {
namespace {

// The upper-case form of one character of the ANSI code page; empty for an
// invalid byte sequence and for a form the code page cannot hold (no best-fit
// look-alike and no default character is taken for it).
std::string UpperCharacter(const std::string& character) {
  wchar_t wide[4] = {};
  const int wideLength = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, character.data(),
                                             static_cast<int>(character.size()), wide, 4);
  if (wideLength <= 0) return std::string();
  CharUpperBuffW(wide, static_cast<DWORD>(wideLength));
  char bytes[8] = {};
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, wideLength, bytes,
                                         static_cast<int>(sizeof(bytes)), nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return std::string();
  return std::string(bytes, static_cast<std::size_t>(length));
}

}  // namespace

Win32CodePage::Win32CodePage() {
  Load([](unsigned char byte) { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }, UpperCharacter);
}

const Win32CodePage& Win32CodePage::System() {
  static const Win32CodePage codePage;
  return codePage;
}

}  // namespace platform
