// The exact twin of a backup: the export writer's lines read back by the
// registry editor's rules, the twin written by Delete over the substitute
// registry, and Restore and Remove choosing between the twin and the plain
// file.
#include "app/exact_backup.h"

#include <gtest/gtest.h>

#include "app/error_list.h"
#include "app/error_removal.h"
#include "app/registry_export.h"
#include "app/undo_center.h"
#include "tests/support/recording_view.h"
#include "tests/support/reg_export_reader.h"

namespace {

using namespace std::string_literals;
using testsupport::Le;
constexpr std::uint32_t HKCU = 0x80000001u;

// Every line reads back to the name, type and bytes it was written from.
TEST(RegistryExportTest, EachTypeAndShapeIsWrittenAsTheEditorReadsItBack) {
  const struct { std::u16string name; std::uint32_t type; std::string data; std::u16string line; } cases[] = {
      {u"", 1, Le(u"C:\\x\0"s), u"@=\"C:\\\\x\""},
      {u"a\"b\\c\r\n", 1, Le(u"\"C:\\P F\\a.exe\" /run \\\"\0"s), uR"("a\"b\\c\r\n"="\"C:\\P F\\a.exe\" /run \\\"")"},
      {u"\u540d\U0001F600", 1, Le(u"\u4e2d\0"s), u"\"\u540d\U0001F600\"=\"\u4e2d\""},  // outside any code page
      {u"e", 1, Le(u"\0"s), u"\"e\"=\"\""},
      {u"e", 1, "", u"\"e\"=hex(1):"},
      {u"odd", 1, "a\0\0"s, u"\"odd\"=hex(1):61,00,00"},
      {u"open", 1, Le(u"ab"), u"\"open\"=hex(1):61,00,62,00"},
      {u"mid", 1, Le(u"a\0b\0"s), u"\"mid\"=hex(1):61,00,00,00,62,00,00,00"},
      {u"crlf", 1, Le(u"\r\n\0"s), u"\"crlf\"=hex(1):0d,00,0a,00,00,00"},
      {u"d", 4, "\xef\xbe\xad\xde", u"\"d\"=dword:deadbeef"},
      {u"d3", 4, "\x01\x02\x03", u"\"d3\"=hex(4):01,02,03"},
      {u"b", 3, "\x00\xff"s, u"\"b\"=hex:00,ff"},
      {u"x", 2, Le(u"%a%\0"s), u"\"x\"=hex(2):25,00,61,00,25,00,00,00"},
      {u"m", 7, Le(u"a\0b\0\0"s), u"\"m\"=hex(7):61,00,00,00,62,00,00,00,00,00"},
      {u"q", 11, "\x01\x02\x03\x04\x05\x06\x07\x08", u"\"q\"=hex(b):01,02,03,04,05,06,07,08"},
      {u"n", 0, "\x01", u"\"n\"=hex(0):01"},
      {u"t", 0xFFFFFFFF, "\x01", u"\"t\"=hex(ffffffff):01"},
      // Wrapped where Wine's regedit /e wraps it: after the comma that makes 77.
      {u"a", 3, "\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10\x11\x12\x13\x14\x15\x16\x17\x18"s,
       u"\"a\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n  17,18"},
  };
  for (const auto& c : cases) {
    const std::u16string line = app::ExportValueLine({u"HKEY_CURRENT_USER\\K", c.name, c.type, c.data});
    EXPECT_TRUE(line == c.line) << std::string(line.begin(), line.end());
    const testsupport::ReadBack back = testsupport::ReadValueLine(line);
    EXPECT_TRUE(back.ok && back.name == c.name && back.type == c.type && back.data == c.data)
        << std::string(line.begin(), line.end());
  }
}

TEST(RegistryExportTest, FileHasHeaderCommentAndOneBlockPerValueAndSkipsWhatNoLineHolds) {
  const std::vector<app::ExportedValue> values = {
      {u"HKEY_CURRENT_USER\\K", u"v", 4, "\x01\0\0\0"s},
      {u"HKEY_CURRENT_USER\\a\nb", u"v", 4, "\x01\0\0\0"s},  // would start a line of its own
      {u"HKEY_CURRENT_USER\\K", u"a\0b"s, 4, "\x01\0\0\0"s},
      {u"HKEY_CURRENT_USER", u"w", 3, "\x02"},
  };
  EXPECT_EQ(app::ExportFile("stamp", values),
            Le(u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n; stamp\r\n\r\n"
               u"[HKEY_CURRENT_USER\\K]\r\n\"v\"=dword:00000001\r\n\r\n[HKEY_CURRENT_USER]\r\n\"w\"=hex:02\r\n\r\n"));
}

// Data at the registry's value limit (1 MB) reads back whole.
TEST(RegistryExportTest, DataAtTheValueLimitReadsBackWhole) {
  std::string data(1 << 20, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + i / 256);
  EXPECT_EQ(testsupport::ReadValueLine(app::ExportValueLine({u"K", u"big", 7, data})).data, data);
}

class ExactBackupTest : public ::testing::Test, protected testsupport::AppWorld {
 protected:
  ExactBackupTest() {
    drive.AddFile("Users/User/AppData/Local/.keep");
    registry.SetValue(HKCU, "Software\\Demo", "Tool", 1, "\"C:\\Gone\\\xE4\xB8\xAD.exe\" /run\r\n\0tail\0"s);
    registry.SetDword(HKCU, "Software\\Demo", "Count", 7);
    registry.SetValue(HKCU, "Software\\Demo\\Run", "", 7, "C:\\a\0C:\\b\0\0"s);
    registry.SetString(HKCU, "Software\\Demo", "Keep", "C:\\keep");
    for (const char* sub : {"Software\\Demo\\Tool", "Software\\Demo\\Count", "Software\\Demo\\Run\\",
                            "Software\\Demo\\Absent", "Software\\Demo\\Keep"}) {
      app::AddFinding(list, {"Missing or Invalid Path", "HKEY_CURRENT_USER", sub, "C:\\"});
    }
    app::AddFinding(list, {"Missing or Invalid Key Name", "HKEY_CURRENT_USER", "Software\\Demo\\Run", "*"});
    app::AddFinding(list, {"Missing or Invalid Path", "HKEY_NOWHERE", "Software\\Demo\\Keep", "C:\\"});
    app::SelectAll(list);
    list.SetChecked(5, false);
  }
  const std::string kPlain = "Users/User/Documents/Reg Backup/Backup_04-12-2026_19-09-45.reg";
  const std::string kTwin = "Users/User/AppData/Local/Zentrova/Hivesweep/Exact/Backup_04-12-2026_19-09-45.reg";
  app::ErrorRemoval removal{view, list, {registry, pump, boxes, files, clock, restorePoint}};
  app::MemoryListView undoList{1};
  app::UndoCenter undo{view, undoList, {files, shell, boxes, pump}};
};

// Delete writes the twin of the plain file with each existing value as it
// was, and removes as before: every checked row leaves the list and counts,
// whatever its deletion did (a key finding, an unknown root, a value that is
// gone), and only values are deleted. Restore takes the twin while the plain
// file is as written; Remove recycles both.
TEST_F(ExactBackupTest, DeleteWritesTheTwinRestoreUsesItWhileThePlainFileIsUnchanged) {
  boxes.answers = {platform::mb::kAnswerOk, platform::mb::kAnswerOk};
  removal.removeselcmd_Click();
  EXPECT_EQ(testsupport::Rows(list), "Missing or Invalid Path | HKEY_CURRENT_USER | Software\\Demo\\Keep | C:\\\n");
  EXPECT_EQ(boxes.asked.back().text, "6 Items deleted successfully");
  EXPECT_FALSE(registry.HasValue(HKCU, "Software\\Demo", "Tool") || registry.HasValue(HKCU, "Software\\Demo\\Run", ""));
  EXPECT_TRUE(registry.HasValue(HKCU, "Software\\Demo", "Keep") && registry.HasKey(HKCU, "Software\\Demo\\Run"));
  const std::string plain = drive.Read(kPlain), twin = drive.Read(kTwin);
  EXPECT_EQ(twin, app::ExportFile(app::PlainFileStamp(plain),
                                  {{u"HKEY_CURRENT_USER\\Software\\Demo", u"Tool", 1,
                                    Le(u"\"C:\\Gone\\\u4e2d.exe\" /run\r\n\0tail\0"s)},
                                   {u"HKEY_CURRENT_USER\\Software\\Demo", u"Count", 4, "\x07\0\0\0"s},
                                   {u"HKEY_CURRENT_USER\\Software\\Demo\\Run", u"", 7, Le(u"C:\\a\0C:\\b\0\0"s)}}));

  const std::string twinPath = R"(C:\Users\User\AppData\Local\Zentrova\Hivesweep\Exact\Backup_04-12-2026_19-09-45.reg)";
  const std::string plainPath = R"(C:\Users\User\Documents\Reg Backup\Backup_04-12-2026_19-09-45.reg)";
  const struct { std::string plainBytes, twinBytes, opened; } restores[] = {
      {plain, twin, twinPath},
      {plain + "\r\n", twin, plainPath},               // the user edited the plain file
      {plain, app::ExportFile("x", {}), plainPath},    // a twin of another file
      {plain, "", plainPath},                          // an empty twin
  };
  undo.cmdOptions_Click();
  for (const auto& r : restores) {
    drive.AddFile(kPlain, r.plainBytes);
    drive.AddFile(kTwin, r.twinBytes);
    undoList.Select(1);
    undo.lstUndo_Click();
    undo.cmdUndo_Click();
    EXPECT_EQ(shell.opened.back().file, r.opened);
  }
  boxes.answers = {platform::mb::kAnswerYes, platform::mb::kAnswerOk};
  undo.lstUndo_Click();
  undo.cmdRemove_Click();
  EXPECT_EQ(shell.operations.size(), 2u);
  EXPECT_EQ(drive.Files(), (std::vector<std::string>{"Users/User/AppData/Local/.keep", "Users/User/Documents/.keep"}));
}

// Under code page 932 the sub path is split where the removal splits it: the
// value named ソ (83 5C) is read, not a key cut inside its character.
TEST_F(ExactBackupTest, UnderCodePage932TheSubPathIsSplitByCharacters) {
  const platform::SubstituteCodePage cp932(platform::AnsiCodePage::k932);
  platform::MemoryRegistry registry932(cp932);
  registry932.SetString(HKCU, "Software\\Demo", "\xE3\x82\xBD", "C:\\gone.exe");
  drive.AddFile("Users/User/Documents/Reg Backup/Backup_1.reg", "plain");
  list.Clear();
  app::AddFinding(list, {"Missing or Invalid Path", "HKEY_CURRENT_USER", "Software\\Demo\\\x83\x5C", "C:\\gone.exe"});
  list.SetChecked(1, true);
  app::WriteExactBackup(list, registry932, files, R"(C:\Users\User\Documents\Reg Backup\Backup_1.reg)", cp932);
  EXPECT_EQ(drive.Read("Users/User/AppData/Local/Zentrova/Hivesweep/Exact/Backup_1.reg"),
            app::ExportFile(app::PlainFileStamp("plain"),
                            {{u"HKEY_CURRENT_USER\\Software\\Demo", u"\u30bd", 1, Le(u"C:\\gone.exe\0"s)}}));
}

}  // namespace
