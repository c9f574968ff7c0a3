// The backup file (its lines, its name and where it goes, byte for byte) and
// the restore-point request made before it.
#include "app/backup_reg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/create_point.h"
#include "app/error_list.h"
#include "tests/support/recording_view.h"

namespace {

using platform::LocalTime;

constexpr LocalTime kEvening{2026, 12, 4, 19, 9, 45};
const std::string kBackups = "Users/User/Documents/Reg Backup/";
const std::string kEveningFile = "Backup_04-12-2026_19-09-45.reg";
const std::string kHeader = "REGEDIT4\r\n\r\n";

// The full path, root, "\" and sub path, is split at its last backslash as the
// removal splits it; backslashes of the name and the data are doubled; nothing
// else is escaped or converted.
TEST(BackupLines, KeyLineAndValueLineOfOneFinding) {
  const struct { const char *subPath, *value, *keyPath, *valueLine; } cases[] = {
      {R"(Software\Run\Tool)", R"(C:\Old\tool.exe /q)", R"(\Software\Run)", R"("Tool"="C:\\Old\\tool.exe /q")"},
      {"Name", "x", "", R"("Name"="x")"},
      {R"(Open\command\)", R"(C:\t.exe "%1")", R"(\Open\command)", R"(""="C:\\t.exe "%1"")"},
      {R"(Odd "Key"\\say "hi")", R"("C:\A\b.exe" -n)", R"(\Odd "Key"\)", R"("say "hi""=""C:\\A\\b.exe" -n")"},
      {R"(S\UNC)", R"(\\server\share\)", R"(\S)", R"("UNC"="\\\\server\\share\\")"},
      {"K\\n", "a\r\nb\tc\xE9", "\\K", "\"n\"=\"a\r\nb\tc\xE9\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::BackupLines("HKEY_USERS", c.subPath, c.value),
              "[HKEY_USERS" + std::string(c.keyPath) + "]\r\n" + c.valueLine + "\r\n")
        << c.subPath;
  }
}

class BackupReg : public ::testing::Test, protected testsupport::AppWorld {
 protected:
  void Add(const std::string& sub, const std::string& value) {
    app::AddFinding(list, {"Missing or Invalid Path", "HKEY_CURRENT_USER", sub, value});
    list.SetChecked(list.Count(), true);
  }
  void Backup(std::vector<LocalTime> readings = {kEvening}) {
    platform::FixedClock at(std::move(readings));
    app::BackupReg(list, files, at);
  }
};

// The folder is made on first use and reused; the name takes the date from
// one clock reading and the time from the next. Without a Documents folder
// the backup goes to "\Reg Backup" on the current drive. A folder that cannot
// be made (its parent is missing, its drive does not exist, a file stands in
// its place) or a file that cannot be opened (a folder of its name) leaves no
// backup and changes nothing.
TEST_F(BackupReg, WhereTheBackupGoesUnderWhichNameAndWhereNoneCanBeWritten) {
  const auto written = [](const char* v) { return kHeader + "[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"" + v + "\"\r\n"; };
  Add(R"(A\x)", "first");
  Backup({{2026, 12, 4, 23, 59, 59}, {2026, 12, 5, 0, 0, 0}});
  list.SetSubItem(1, 3, "second");
  Backup({{2026, 12, 4, 19, 5, 9}});
  EXPECT_EQ(drive.Read(kBackups + "Backup_04-12-2026_00-00-00.reg"), written("first"));
  EXPECT_EQ(drive.Read(kBackups + "Backup_04-12-2026_19-05-09.reg"), written("second"));
  files.SetDocumentsFolder("");
  Backup();
  EXPECT_EQ(drive.Read("Reg Backup/" + kEveningFile), written("second"));
  std::filesystem::create_directories(drive.Root() / kBackups / kEveningFile);
  drive.AddFile("Other/Reg Backup", "not a folder");
  for (const char* documents : {R"(C:\Users\Gone\Documents)", R"(D:\Documents)", R"(C:\Other)", R"(C:\Users\User\Documents)"}) {
    files.SetDocumentsFolder(documents);
    Backup();
  }
  EXPECT_EQ(drive.Files().size(), 5u) << "Other/Reg Backup, .keep and the three backups above";
  EXPECT_EQ(drive.Read("Other/Reg Backup"), "not a folder");
  EXPECT_FALSE(std::filesystem::exists(drive.Root() / "Users/Gone"));
}

// Every request binds, calls once and releases; Style changes nothing. The
// description names the date of one clock reading and the time of the next.
// A refused binding or call stops nothing and shows nothing.
TEST(CreatePoint, EachRequestBindsCallsOnceAndReleases) {
  const struct { std::vector<LocalTime> readings; bool style; const char* description; } cases[] = {
               {{{2026, 12, 4, 19, 9, 45}}, true, "Hivesweep 12/4/2026 7:09:45 PM"},
               {{{2026, 12, 4, 23, 59, 59}, {2026, 12, 5, 0, 0, 0}}, false, "Hivesweep 12/4/2026 12:00:00 AM"}};
  platform::RecordingRestorePoint restore, unbound, refusing;
  for (const auto& c : cases) {
    platform::FixedClock clock(c.readings);
    bool style = c.style;
    app::CreatePoint(style, restore, clock);
    EXPECT_EQ(style, c.style);
    const platform::RecordedRestoreCall& call = restore.Calls().back();
    EXPECT_EQ(call.moniker + " " + call.method + " " + call.description,
              "winmgmts:{impersonationLevel=impersonate}!root/default:SystemRestore CreateRestorePoint " +
                  std::string(c.description));
    EXPECT_EQ(call.restorePointType, 12);
    EXPECT_EQ(call.eventType, 100);
  }
  EXPECT_EQ(restore.Bindings().size(), 2u);
  EXPECT_EQ(restore.Calls().size(), 2u);
  EXPECT_EQ(restore.Released(), 2);

  platform::FixedClock clock(LocalTime{2026, 12, 4, 19, 9, 45});
  bool style = true;
  unbound.RefuseBinding(true);
  app::CreatePoint(style, unbound, clock);
  EXPECT_EQ(unbound.Bindings().size(), 1u);
  EXPECT_TRUE(unbound.Calls().empty());
  refusing.AnswerCalls({platform::RestoreCallStage::kRefused, static_cast<std::int32_t>(0x80070005u)});
  app::CreatePoint(style, refusing, clock);
  EXPECT_EQ(refusing.Released(), 1);
}

}  // namespace
