// The code page of the substitutes: what stands for the system ANSI code page
// where there is no Windows. Windows-1252 by default; code page 932 (Japanese,
// double-byte) to run the program's text handling as a Japanese Windows
// would. The substitute registry and file system convert through it, and it
// is the code-page facility the engine is given beside them.
#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/substitute/ansi_text.h"

namespace platform {

struct Cp932Table;

enum class AnsiCodePage { k1252, k932 };

class SubstituteCodePage final : public CodePage {
 public:
  explicit SubstituteCodePage(AnsiCodePage which);

  // The shared Windows-1252 one, which the substitutes use unless told otherwise.
  static const SubstituteCodePage& Windows1252();

  AnsiCodePage Which() const { return which_; }
  // ANSI bytes to characters; a byte or pair the code page leaves undefined
  // becomes the character Windows gives it.
  std::u32string Decode(std::string_view ansi) const {
    return cp932_ ? Decode932(ansi) : DecodeAnsi(ansi);
  }
  // Characters to ANSI bytes; a character the code page cannot hold becomes '?'.
  std::string Encode(std::u32string_view text) const {
    return cp932_ ? Encode932(text) : EncodeAnsi(text);
  }

 private:
  std::u32string Decode932(std::string_view ansi) const;
  std::string Encode932(std::u32string_view text) const;

  AnsiCodePage which_;
  const Cp932Table* cp932_ = nullptr;
};

}  // namespace platform
