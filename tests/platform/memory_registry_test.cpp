// The substitute registry must answer as the platform does where the engine
// depends on it; the walk tests over it pin most of that. Here: the code page
// it converts through, and the order in which it enumerates.
#include "platform/substitute/memory_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/substitute/ansi_text.h"

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

TEST(MemoryRegistry, KeysEnumerateSortedWithoutRegardToCase) {
  MemoryRegistry r;
  for (const char* k : {"T\\beta", "T\\Alpha", "T\\gamma", "T\\ALPHA\\x"}) r.AddKey(0x80000001u, k);
  RegHandle key = 0;
  ASSERT_EQ(r.OpenKeyEx(0x80000001u, "t", 0, 0x20019, &key), reg_result::kSuccess);
  char name[260];
  std::vector<std::string> names;
  for (std::uint32_t i = 0; r.EnumKey(key, i, name, 260) == reg_result::kSuccess; ++i) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
  EXPECT_EQ(r.EnumKey(key, 3, name, 260), reg_result::kNoMoreItems);
  r.CloseKey(key);
  EXPECT_EQ(r.OpenHandleCount(), 0u);
}

}  // namespace
