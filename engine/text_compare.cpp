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

class Windows1252Rules final : public platform::CodePage {
 public:
  Windows1252Rules() {
    Load([](unsigned char) { return false; },
         [](const std::string& c) { return UpperAnsi(c); });
  }
};

// Whether the needle matches the whole characters of `text` from `at` on.
bool MatchesCharsAt(std::string_view text, std::size_t at, std::string_view upperNeedle,
                    const platform::CodePage& codePage) {
  const unsigned char* upper = codePage.UpperTable();
  std::size_t k = 0;
  while (k < upperNeedle.size()) {
    if (at >= text.size()) return false;
    const auto b = static_cast<unsigned char>(text[at]);
    if (codePage.CharSize(text, at) == 1) {
      if (upper[b] != static_cast<unsigned char>(upperNeedle[k])) return false;
      ++at;
      ++k;
      continue;
    }
    const unsigned pair = codePage.UpperPair(b, static_cast<unsigned char>(text[at + 1]));
    if (k + 1 >= upperNeedle.size() || (pair >> 8) != static_cast<unsigned char>(upperNeedle[k]) ||
        (pair & 0xFF) != static_cast<unsigned char>(upperNeedle[k + 1])) {
      return false;
    }
    at += 2;
    k += 2;
  }
  return true;
}

}  // namespace

const platform::CodePage& DefaultCodePage() {
  static const Windows1252Rules rules;
  return rules;
}

unsigned char UpperAnsi(unsigned char c) { return kUpper[c]; }

std::string UpperAnsi(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
  return upper;
}

std::string UpperAnsi(std::string_view text, const platform::CodePage& codePage) {
  std::string upper(text);
  const unsigned char* table = codePage.UpperTable();
  for (std::size_t i = 0; i < upper.size();) {
    if (codePage.CharSize(upper, i) == 1) {
      upper[i] = static_cast<char>(table[static_cast<unsigned char>(upper[i])]);
      ++i;
      continue;
    }
    const unsigned pair =
        codePage.UpperPair(static_cast<unsigned char>(upper[i]), static_cast<unsigned char>(upper[i + 1]));
    upper[i] = static_cast<char>(pair >> 8);
    upper[i + 1] = static_cast<char>(pair & 0xFF);
    i += 2;
  }
  return upper;
}

bool ContainsUpper(std::string_view text, std::string_view upperNeedle) {
  return ContainsUpperBytes(text, upperNeedle, kUpper.data());
}

bool ContainsUpperBytes(std::string_view text, std::string_view upperNeedle, const unsigned char* upper) {
  if (upperNeedle.empty()) return true;
  if (upperNeedle.size() > text.size()) return false;
  const unsigned char first = static_cast<unsigned char>(upperNeedle[0]);
  const std::size_t last = text.size() - upperNeedle.size();
  for (std::size_t i = 0; i <= last; ++i) {
    if (upper[static_cast<unsigned char>(text[i])] != first) continue;
    std::size_t k = 1;
    while (k < upperNeedle.size() &&
           upper[static_cast<unsigned char>(text[i + k])] == static_cast<unsigned char>(upperNeedle[k])) {
      ++k;
    }
    if (k == upperNeedle.size()) return true;
  }
  return false;
}

bool ContainsUpperChars(std::string_view text, std::string_view upperNeedle, const platform::CodePage& codePage) {
  if (upperNeedle.empty()) return true;
  for (std::size_t at = 0; at < text.size(); at += codePage.CharSize(text, at)) {
    if (MatchesCharsAt(text, at, upperNeedle, codePage)) return true;
  }
  return false;
}

}  // namespace engine
