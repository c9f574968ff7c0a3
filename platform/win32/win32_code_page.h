// The code-page facility over the system ANSI code page (CP_ACP): lead bytes
// from IsDBCSLeadByteEx, and each character's upper-case form as
// CharUpperBuffA makes it (to UTF-16, CharUpperBuffW, back), taken only when
// the character and its upper-case form both exist in the code page.
#pragma once

#include "platform/code_page.h"

namespace platform {

class Win32CodePage final : public CodePage {
 public:
  Win32CodePage();

  // The process's code page, fetched once, at the first call.
  static const Win32CodePage& System();
};

}  // namespace platform
