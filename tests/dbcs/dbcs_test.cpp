// Text handling under code page 932 on the substitutes: a trail byte with the
// value of '\', '|' or a letter is part of its character, never a separator,
// a marker or a letter of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/path_extractor.h"
#include "engine/text_compare.h"
#include "tests/dbcs/dbcs_removal.h"
#include "tests/support/memory_tree.h"

namespace {

using namespace dbcs;

TEST(Cp932Substitute, ConvertsAsWindowsDoes) {
  EXPECT_EQ(Cp932().Encode(platform::DecodeUtf8("ソフトポケット表ａé")), kSoft + kPocket + kHyo + "\x82\x81?");
  EXPECT_EQ(Utf8(kHyo + "a\xB1\x83"), "表aｱ・");  // a half-width katakana; a lead byte cut off
  EXPECT_TRUE(Cp932().IsLeadByte(0x83));
  EXPECT_FALSE(Cp932().IsLeadByte(0xB1));
}

TEST(Cp932Substitute, SearchMatchesWholeCharactersOnly) {
  const std::string fullWidthAb = "\x82\x81\x82\x82", fullWidthAB = "\x82\x60\x82\x61";
  struct Case {
    std::string text, needle;
    bool contains, whole;
  } const cases[] = {
      {kICBoundary, "C:\\", false, false},  // C is the trail byte of イ
      {"c:\\" + kSo, "C:\\", true, false},
      {kSo + "x", "\\", false, false},
      {"\x83\x61", "\x83\x41", false, false},  // ヂ upper-cased byte by byte would be ア
      {fullWidthAb, fullWidthAB, true, true},
      {"a\x83\x43", "\x83\x43", true, false},
  };
  for (const Case& c : cases) {
    const std::string needle = engine::UpperAnsi(c.needle, Cp932());
    EXPECT_EQ(engine::ContainsUpper(c.text, needle, Cp932()), c.contains) << Utf8(c.text) << " / " << Utf8(c.needle);
    EXPECT_EQ(engine::UpperAnsi(c.text, Cp932()) == needle, c.whole) << Utf8(c.text) << " / " << Utf8(c.needle);
  }
}

TEST(Cp932Substitute, PathExtractorCutsAtMarkersThatAreCharacters) {
  const struct {
    std::string text, path;
  } cases[] = {
      {kPresent, kPresent},
      {"\"C:\\" + kSoft + "\\a.exe\" /q", "C:\\" + kSoft + "\\a.exe"},
      {kICBoundary + " C:\\" + kHyo + ".exe|x", "C:\\" + kHyo + ".exe"},
  };
  for (const auto& c : cases) EXPECT_EQ(engine::PathExtractor(c.text, Cp932()), c.path) << Utf8(c.text);
}

TEST(Cp932Substitute, ScanAndDeleteSplitAndEscapeByCharacters) {
  testsupport::TempDrive drive;
  drive.AddFile("Users/User/Documents/.keep");
  const auto folder = drive.Root() / std::filesystem::u8path("Program Files/" + Utf8(kPocket));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "a.exe").put('x');
  platform::HostFileSystem files(drive.Root().string(), Cp932());
  platform::MemoryRegistry registry(Cp932());
  testsupport::BuildTree(registry, HKCU, "Software\\HivesweepTest", ScannedKey());
  const std::size_t keys = registry.KeyCount();
  ExpectScanAndDeleteByCharacters(registry, files, Cp932(), "Software\\HivesweepTest\\" + kHyo);
  EXPECT_EQ(registry.KeyCount(), keys);
}

}  // namespace
