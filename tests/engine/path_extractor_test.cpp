#include "engine/path_extractor.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* text;
  const char* path;
};

void ExpectExtractions(std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(engine::PathExtractor(c.text), c.path) << "text: " << c.text;
}

TEST(PathExtractor, CommandLines) {
  ExpectExtractions({
      {"\"C:\\Program Files\\App\\app.exe\" -n", "C:\\Program Files\\App\\app.exe"},
      {"C:\\Program Files\\App\\app.exe /background", "C:\\Program Files\\App\\app.exe"},
      {"C:\\Tools\\tool.EXE -x", "C:\\Tools\\tool.EXE"},
      {"C:\\Tools\\run.bat %1", "C:\\Tools\\run.bat"},
      {"\"C:\\Tools\\open.exe\" \"%1\"", "C:\\Tools\\open.exe"},
      {"C:\\a %1 b %1", "C:\\a b"},
      {"rundll32.exe C:\\Tools\\x.dll,Start", "C:\\Tools\\x.dll"},
      {"C:\\Windows\\System32\\drivers\\x.sys -start", "C:\\Windows\\System32\\drivers\\x.sys"},
      {"C:\\a\\prog.exe\\extra\\part", "C:\\a\\prog.exe"},
      {"C:\\a\\lib.DLL\\1", "C:\\a\\lib.DLL"},
  });
}

TEST(PathExtractor, SuffixesAndResourceIndexes) {
  ExpectExtractions({
      {"C:\\Program Files\\App\\app.exe:*:Enabled:App", "C:\\Program Files\\App\\app.exe"},
      {"C:\\WINDOWS\\system32\\shell32.dll,4", "C:\\WINDOWS\\system32\\shell32.dll"},
      {"C:\\data\\file.txt:extra", "C:\\data\\file.txt"},
      {"C:\\x\\icon.ico(2)", "C:\\x\\icon.ico"},
      {"C:\\one;C:\\two", "C:\\one"},
      {"C:\\a|b<c>d", "C:\\a"},
      {"C:\\dir\\*.txt", "C:\\dir\\"},
      {"C:\\dir\\file?.txt", "C:\\dir\\file"},
      {"C:\\dir/sub", "C:\\dir"},
  });
}

TEST(PathExtractor, OnlyUpperCaseDriveCCounts) {
  ExpectExtractions({
      {"\"D:\\Games\\g.exe\"", "C:\\"},
      {"c:\\windows\\notepad.exe", "C:\\"},
      {"*", "C:\\"},
      {"0x00000001(1)", "C:\\"},
      {"Temporarily unsupported", "C:\\"},
      {"", "C:\\"},
      {"C:", "C:\\"},
      // Text before the path goes; a later lower-case path wins over an upper-case one.
      {"prefix C:\\a.exe", "C:\\a.exe"},
      {"C:\\first.exe c:\\second.exe", "C:\\"},
      // Whatever stands before the path goes first, markers included.
      {"\"D:\\x\" C:\\real.exe", "C:\\real.exe"},
  });
}

TEST(PathExtractor, BlanksAreKept) {
  ExpectExtractions({
      {"  C:\\lead\\x.txt  ", "C:\\lead\\x.txt  "},
      {"C:\\a.exe\t", "C:\\a.exe\t"},
  });
}

TEST(ReverseText, BackToFrontUpToTheCounterLimit) {
  EXPECT_EQ(engine::ReverseText("abc"), "cba");
  EXPECT_EQ(engine::ReverseText(""), "");
  EXPECT_EQ(engine::ReverseText(std::string(32767, 'x') + "").size(), 32767u);
  EXPECT_EQ(engine::ReverseText(std::string(32768, 'x')), "");
}

}  // namespace
