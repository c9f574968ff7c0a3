// The code page the substitutes convert through. How the substitute registry
// answers the engine's calls is pinned by the walk tests over it.
#include "platform/substitute/ansi_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace platform;

TEST(AnsiText, ConvertsThroughWindows1252) {
  EXPECT_EQ(EncodeAnsi(DecodeUtf8("caf\xC3\xA9 \xE2\x82\xAC")), "caf\xE9 \x80");               // é, €
  EXPECT_EQ(EncodeAnsi(DecodeUtf8("\xCE\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80")), "???");           // Ω, 中, an emoji
  EXPECT_EQ(EncodeUtf8(DecodeAnsi("\x80\x9F\xFF")), "\xE2\x82\xAC\xC5\xB8\xC3\xBF");
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(EncodeAnsi(DecodeAnsi(one)), one) << b;  // every byte round-trips
  }
  EXPECT_EQ(DecodeUtf8("\xC3"), std::u32string(1, 0xFFFD));  // a cut sequence does not overrun
}

}  // namespace
