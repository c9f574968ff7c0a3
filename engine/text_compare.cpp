#include "engine/text_compare.h"

#include <array>

namespace engine {
namespace {

constexpr std::array<unsigned char, 256> MakeUpperTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<unsigned char>(c - 32);
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) table[c] = static_cast<unsigned char>(c - 32);
  }
  table[0x9A] = 0x8A;  // š
  table[0x9C] = 0x8C;  // œ
  table[0x9E] = 0x8E;  // ž
  table[0xFF] = 0x9F;  // ÿ
  return table;
}

constexpr std::array<unsigned char, 256> kUpper = MakeUpperTable();

}  // namespace

unsigned char UpperAnsi(unsigned char c) { return kUpper[c]; }

std::string UpperAnsi(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
  return upper;
}

bool ContainsUpper(std::string_view text, std::string_view upperNeedle) {
  if (upperNeedle.empty()) return true;
  if (upperNeedle.size() > text.size()) return false;
  const unsigned char first = static_cast<unsigned char>(upperNeedle[0]);
  const std::size_t last = text.size() - upperNeedle.size();
  for (std::size_t i = 0; i <= last; ++i) {
    if (kUpper[static_cast<unsigned char>(text[i])] != first) continue;
    std::size_t k = 1;
    while (k < upperNeedle.size() &&
           kUpper[static_cast<unsigned char>(text[i + k])] == static_cast<unsigned char>(upperNeedle[k])) {
      ++k;
    }
    if (k == upperNeedle.size()) return true;
  }
  return false;
}

}  // namespace engine
