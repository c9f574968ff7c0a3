// Code page 932 (Shift JIS as Windows has it) for the substitutes, taken from
// the host's own conversion tables: glibc's iconv natively, the system's on
// Windows. Lead bytes are 0x81-0x9F and 0xE0-0xFC.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace platform {

struct Cp932Table {
  static bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }

  // The character of each byte that is not a lead byte.
  std::array<char32_t, 256> singles{};
  // The character of every pair, by lead * 256 + trail.
  std::vector<char32_t> pairs;
  // The bytes of each character beyond ASCII: one byte, or lead * 256 + trail.
  std::unordered_map<char32_t, std::uint16_t> bytes;
};

// The character a byte or byte pair that the code page leaves undefined
// stands for, as on Windows (katakana middle dot).
constexpr char32_t kCp932Undefined = 0x30FB;

const Cp932Table& LoadCp932();

}  // namespace platform
