#include "engine/path_extractor.h"

#include <gtest/gtest.h>

namespace {

TEST(PathExtractor, CutsThePathOnDriveCOutOfTheValueText) {
  const std::pair<const char*, const char*> cases[] = {
      // Command lines.
      {"\"C:\\Program Files\\App\\app.exe\" -n", "C:\\Program Files\\App\\app.exe"},
      {"C:\\Program Files\\App\\app.exe /background", "C:\\Program Files\\App\\app.exe"},
      {"C:\\Tools\\tool.EXE -x", "C:\\Tools\\tool.EXE"}, {"C:\\Tools\\run.bat %1", "C:\\Tools\\run.bat"},
      {"\"C:\\Tools\\open.exe\" \"%1\"", "C:\\Tools\\open.exe"}, {"C:\\a %1 b %1", "C:\\a b"},
      {"rundll32.exe C:\\Tools\\x.dll,Start", "C:\\Tools\\x.dll"}, {"C:\\d\\x.sys -start", "C:\\d\\x.sys"},
      {"C:\\a\\prog.exe\\extra\\part", "C:\\a\\prog.exe"}, {"C:\\a\\lib.DLL\\1", "C:\\a\\lib.DLL"},
      {"C:\\a\\ctl.ocx\\2", "C:\\a\\ctl.ocx"},
      // Suffixes and resource indexes.
      {"C:\\Program Files\\App\\app.exe:*:Enabled:App", "C:\\Program Files\\App\\app.exe"},
      {"C:\\WINDOWS\\system32\\shell32.dll,4", "C:\\WINDOWS\\system32\\shell32.dll"},
      {"C:\\data\\file.txt:extra", "C:\\data\\file.txt"}, {"C:\\x\\icon.ico(2)", "C:\\x\\icon.ico"},
      {"C:\\one;C:\\two", "C:\\one"}, {"C:\\a|b<c>d", "C:\\a"}, {"C:\\dir\\*.txt", "C:\\dir\\"},
      {"C:\\dir\\file?.txt", "C:\\dir\\file"}, {"C:\\dir/sub", "C:\\dir"},
      // Only an upper-case drive C counts; without one the text becomes C:\ .
      {"\"D:\\Games\\g.exe\"", "C:\\"}, {"c:\\windows\\notepad.exe", "C:\\"}, {"*", "C:\\"}, {"", "C:\\"},
      {"0x00000001(1)", "C:\\"}, {"C:", "C:\\"}, {"prefix C:\\a.exe", "C:\\a.exe"},
      {"C:\\first.exe c:\\second.exe", "C:\\"},    // a later lower-case drive wins
      {"\"D:\\x\" C:\\real.exe", "C:\\real.exe"},  // what stands before the path goes first, markers too
      // Blanks are kept.
      {"  C:\\lead\\x.txt  ", "C:\\lead\\x.txt  "}, {"C:\\a.exe\t", "C:\\a.exe\t"},
  };
  for (const auto& [text, path] : cases) EXPECT_EQ(engine::PathExtractor(text), path) << "text: " << text;
}

TEST(ReverseText, BackToFrontUpToTheCounterLimit) {
  EXPECT_EQ(engine::ReverseText("abc"), "cba");
  EXPECT_EQ(engine::ReverseText(""), "");
  EXPECT_EQ(engine::ReverseText(std::string(32767, 'x')).size(), 32767u);
  EXPECT_EQ(engine::ReverseText(std::string(32768, 'x')), "");
}

}  // namespace
