#include "platform/substitute/substitute_code_page.h"

#include "platform/substitute/cp932_table.h"

namespace platform {

SubstituteCodePage::SubstituteCodePage(AnsiCodePage which)
    : which_(which), cp932_(which == AnsiCodePage::k932 ? &LoadCp932() : nullptr) {
  // A character's upper-case form is taken only when the code page holds the
  // character and the form both, as the platform's upper-casing does.
  Load([this](unsigned char byte) { return cp932_ && Cp932Table::IsLeadByte(byte); },
       [this](const std::string& character) {
         const std::u32string text = Decode(character);
         if (Encode(text) != character) return std::string();
         const std::u32string upper = FoldCase(text);
         const std::string bytes = Encode(upper);
         return Decode(bytes) == upper ? bytes : std::string();
       });
}

const SubstituteCodePage& SubstituteCodePage::Windows1252() {
  static const SubstituteCodePage codePage(AnsiCodePage::k1252);
  return codePage;
}

std::u32string SubstituteCodePage::Decode932(std::string_view ansi) const {
  std::u32string text;
  text.reserve(ansi.size());
  for (std::size_t i = 0; i < ansi.size(); i += CharSize(ansi, i)) {
    const auto b = static_cast<unsigned char>(ansi[i]);
    text.push_back(CharSize(ansi, i) == 2 ? cp932_->pairs[b * 256u + static_cast<unsigned char>(ansi[i + 1])]
                                          : cp932_->singles[b]);
  }
  return text;
}

std::string SubstituteCodePage::Encode932(std::u32string_view text) const {
  std::string ansi;
  ansi.reserve(text.size() * 2);
  for (char32_t c : text) {
    if (c < 0x80) {
      ansi.push_back(static_cast<char>(c));
      continue;
    }
    const auto found = cp932_->bytes.find(c);
    if (found == cp932_->bytes.end()) {
      ansi.push_back('?');
    } else if (found->second > 0xFF) {
      ansi.push_back(static_cast<char>(found->second >> 8));
      ansi.push_back(static_cast<char>(found->second & 0xFF));
    } else {
      ansi.push_back(static_cast<char>(found->second));
    }
  }
  return ansi;
}

}  // namespace platform
