// The code-page facility: the system ANSI code page as text operations need
// it. Which bytes start a two-byte character (code pages 932, 936, 949, 950)
// and the upper-case form of every character are asked of the platform once,
// when a backend is made; after that a text costs one table look-up a byte,
// and on a code page without lead bytes every text operation keeps its
// byte-wise path.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class CodePage {
 public:
  virtual ~CodePage() = default;
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  // False for a single-byte code page: no byte starts a two-byte character.
  bool HasLeadBytes() const { return hasLeadBytes_; }
  bool IsLeadByte(unsigned char byte) const { return lead_[byte]; }
  // Bytes of the character that starts at `at` (inside the text), stepping as
  // CharNextExA does: two for a lead byte followed by a byte other than NUL,
  // one otherwise.
  std::size_t CharSize(std::string_view text, std::size_t at) const {
    return lead_[static_cast<unsigned char>(text[at])] && at + 1 < text.size() && text[at + 1] != '\0' ? 2 : 1;
  }
  // Upper-case forms of the single-byte characters, by byte; a lead byte
  // stands for itself.
  const unsigned char* UpperTable() const { return upper_.data(); }
  // Upper-case form of the two-byte character `lead` `trail`, as lead * 256 + trail.
  std::uint16_t UpperPair(unsigned char lead, unsigned char trail) const {
    return upperPairs_[lead * 256u + trail];
  }

 protected:
  CodePage() = default;

  // Fills the tables, once, from the backend's answers: `isLead(byte)`, and
  // `upper(bytes)`, the upper-case form of one character or the empty text
  // when it has none the code page can hold. A form of another size, or one
  // that would turn a character into a lead byte, is not taken, so that
  // upper-casing never moves a character boundary.
  template <typename IsLead, typename Upper>
  void Load(IsLead isLead, Upper upper) {
    for (int b = 0; b < 256; ++b) {
      lead_[b] = isLead(static_cast<unsigned char>(b));
      hasLeadBytes_ = hasLeadBytes_ || lead_[b];
    }
    for (int b = 0; b < 256; ++b) {
      upper_[b] = static_cast<unsigned char>(b);
      if (lead_[b] || b == 0) continue;
      const std::string u = upper(std::string(1, static_cast<char>(b)));
      if (u.size() == 1 && u[0] != '\0' && !lead_[static_cast<unsigned char>(u[0])]) {
        upper_[b] = static_cast<unsigned char>(u[0]);
      }
    }
    if (!hasLeadBytes_) return;
    upperPairs_.resize(256 * 256);
    for (unsigned pair = 0; pair < upperPairs_.size(); ++pair) {
      upperPairs_[pair] = static_cast<std::uint16_t>(pair);
      const unsigned lead = pair >> 8;
      const unsigned trail = pair & 0xFF;
      if (!lead_[lead] || trail == 0) continue;
      const std::string u = upper(std::string{static_cast<char>(lead), static_cast<char>(trail)});
      if (u.size() == 2 && lead_[static_cast<unsigned char>(u[0])] && u[1] != '\0') {
        upperPairs_[pair] = static_cast<std::uint16_t>(static_cast<unsigned char>(u[0]) << 8 |
                                                       static_cast<unsigned char>(u[1]));
      }
    }
  }

 private:
  std::array<bool, 256> lead_{};
  std::array<unsigned char, 256> upper_{};
  std::vector<std::uint16_t> upperPairs_;  // all 65,536 pairs, only for a code page with lead bytes
  bool hasLeadBytes_ = false;
};

}  // namespace platform
