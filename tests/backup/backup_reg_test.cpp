// The backup file: its lines, its name and where it goes, byte for byte.
#include "app/backup_reg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/error_list.h"
#include "app/memory_list_view.h"
#include "platform/substitute/fixed_clock.h"
#include "platform/substitute/host_file_system.h"
#include "tests/backup/backup_lines.h"
#include "tests/support/temp_drive.h"

namespace {

using platform::LocalTime;
using testsupport::CrLfLines;

constexpr LocalTime kEvening{2026, 12, 4, 19, 9, 45};
const std::string kBackups = "Users/User/Documents/Reg Backup/";
const std::string kEveningFile = "Backup_04-12-2026_19-09-45.reg";
const std::string kHeader = CrLfLines({"REGEDIT4", ""});

TEST(BackupLines, SplitAtTheLastBackslashIntoKeyAndValueName) {
  EXPECT_EQ(app::BackupLines("HKEY_CURRENT_USER", R"(Software\Demo\Run\Tool)", R"(C:\Old\tool.exe /q)"),
            CrLfLines({R"([HKEY_CURRENT_USER\Software\Demo\Run])", R"("Tool"="C:\\Old\\tool.exe /q")"}));
  // A value directly below the root.
  EXPECT_EQ(app::BackupLines("HKEY_CURRENT_USER", "Name", "x"), CrLfLines({"[HKEY_CURRENT_USER]", R"("Name"="x")"}));
  // A value name holding a backslash is split inside the name, as the removal splits it.
  EXPECT_EQ(app::BackupLines("HKEY_LOCAL_MACHINE", R"(Software\App\dir\name)", "v"),
            CrLfLines({R"([HKEY_LOCAL_MACHINE\Software\App\dir])", R"("name"="v")"}));
}

TEST(BackupLines, DefaultValueHasAnEmptyNameField) {
  EXPECT_EQ(app::BackupLines("HKEY_CLASSES_ROOT", R"(Applications\tool.exe\shell\open\command\)", R"(C:\t.exe "%1")"),
            CrLfLines({R"([HKEY_CLASSES_ROOT\Applications\tool.exe\shell\open\command])", R"(""="C:\\t.exe "%1"")"}));
}

TEST(BackupLines, KeyFindingNamesTheKeyInItsParent) {
  EXPECT_EQ(app::BackupLines("HKEY_CURRENT_USER", R"(Software\Demo\Gone)", "*"),
            CrLfLines({R"([HKEY_CURRENT_USER\Software\Demo])", R"("Gone"="*")"}));
}

TEST(BackupLines, OnlyBackslashesInTheDataAreDoubled) {
  // Quotes stay as they are, in the data and in the name; the key path keeps
  // its single backslashes, also an empty component's.
  EXPECT_EQ(
      app::BackupLines("HKEY_CURRENT_USER", R"(Software\Odd "Key"\\say "hi")", R"("C:\Program Files\A\b.exe" -n)"),
      CrLfLines({R"([HKEY_CURRENT_USER\Software\Odd "Key"\])", R"("say "hi""=""C:\\Program Files\\A\\b.exe" -n")"}));
  EXPECT_EQ(app::BackupLines("HKEY_USERS", R"(S\UNC)", R"(\\server\share\)"),
            CrLfLines({R"([HKEY_USERS\S])", R"("UNC"="\\\\server\\share\\")"}));
  // Line breaks, tabs and bytes beyond ASCII pass unchanged: the value line
  // then goes on over the next line of the file.
  EXPECT_EQ(app::BackupLines("HKEY_CURRENT_USER", "K\\n", "a\r\nb\tc\xE9"),
            "[HKEY_CURRENT_USER\\K]\r\n\"n\"=\"a\r\nb\tc\xE9\"\r\n");
}

TEST(BackupLines, EmptyTextsStillGiveTwoLines) {
  EXPECT_EQ(app::BackupLines("", "", ""), CrLfLines({"[]", R"(""="")"}));
}

TEST(BackupFileName, DayMonthYearThenTheTimeOnThe24HourClock) {
  EXPECT_EQ(app::BackupFileName(kEvening, kEvening), kEveningFile);
  const LocalTime morning{2026, 12, 4, 7, 5, 9};
  const LocalTime evening{2026, 12, 4, 19, 5, 9};
  EXPECT_EQ(app::BackupFileName(morning, morning), "Backup_04-12-2026_07-05-09.reg");
  EXPECT_EQ(app::BackupFileName(evening, evening), "Backup_04-12-2026_19-05-09.reg");
  const LocalTime midnight{2027, 2, 1, 0, 0, 0};
  EXPECT_EQ(app::BackupFileName(midnight, midnight), "Backup_01-02-2027_00-00-00.reg");
  // The date comes from the first reading only, the time from the second only.
  EXPECT_EQ(app::BackupFileName(midnight, kEvening), "Backup_01-02-2027_19-09-45.reg");
}

class BackupReg : public ::testing::Test {
 protected:
  void SetUp() override { drive.MakeFolder("Users/User/Documents"); }

  void Add(const std::string& errorType, const std::string& sub, const std::string& value, bool checked = true) {
    app::AddFinding(list, {errorType, "HKEY_CURRENT_USER", sub, value});
    list.SetChecked(list.Count(), checked);
  }
  void Backup(LocalTime at) {
    platform::FixedClock clock(at);
    app::BackupReg(list, files, clock);
  }

  testsupport::TempDrive drive;
  platform::HostFileSystem files{drive.Root().string()};
  app::MemoryListView list;
};

TEST_F(BackupReg, WorkedExample) {
  Add("Missing or Invalid Path", R"(Software\Demo\Run\Tool)", R"(C:\Old\tool.exe /q)");
  Add("Missing or Invalid Key Name", R"(Software\Demo\Gone)", "*");
  Backup(kEvening);
  ASSERT_EQ(drive.Files(), std::vector<std::string>{kBackups + kEveningFile});
  EXPECT_EQ(drive.Read(kBackups + kEveningFile),
            CrLfLines({"REGEDIT4", "", R"([HKEY_CURRENT_USER\Software\Demo\Run])", R"("Tool"="C:\\Old\\tool.exe /q")",
                       R"([HKEY_CURRENT_USER\Software\Demo])", R"("Gone"="*")"}));
}

TEST_F(BackupReg, CheckedRowsInListOrderUncheckedOnesLeaveNoTrace) {
  Add("Missing or Invalid Path", R"(A\first)", "1");
  Add("Missing or Invalid Path", R"(A\skipped)", "2", false);
  Add("Missing or Invalid Value Name", R"(B\)", "3");
  Add("Missing or Invalid Path", R"(A\first)", "1");  // the same value found twice
  Backup(kEvening);
  EXPECT_EQ(drive.Read(kBackups + kEveningFile),
            kHeader + CrLfLines({R"([HKEY_CURRENT_USER\A])", R"("first"="1")", R"([HKEY_CURRENT_USER\B])", R"(""="3")",
                                 R"([HKEY_CURRENT_USER\A])", R"("first"="1")"}));
}

TEST_F(BackupReg, NoCheckedRowGivesTheHeaderAlone) {
  Backup(kEvening);
  EXPECT_EQ(drive.Read(kBackups + kEveningFile), kHeader);
  Add("Missing or Invalid Path", R"(A\x)", "1", false);
  Backup({2026, 12, 4, 19, 9, 46});
  EXPECT_EQ(drive.Read(kBackups + "Backup_04-12-2026_19-09-46.reg"), kHeader);
}

TEST_F(BackupReg, DateIsReadFirstAndTheTimeRightAfter) {
  platform::FixedClock clock({{2026, 12, 4, 23, 59, 59}, {2026, 12, 5, 0, 0, 0}});
  app::BackupReg(list, files, clock);
  EXPECT_EQ(clock.Reads(), 2);
  EXPECT_EQ(drive.Files(), std::vector<std::string>{kBackups + "Backup_04-12-2026_00-00-00.reg"});
}

TEST_F(BackupReg, FolderIsCreatedOnFirstUseThenReused) {
  ASSERT_FALSE(drive.IsFolder(kBackups));
  Add("Missing or Invalid Path", R"(A\x)", "first");
  Backup({2026, 12, 4, 7, 5, 9});
  ASSERT_TRUE(drive.IsFolder(kBackups));
  list.SetSubItem(1, 3, "second");
  Backup({2026, 12, 4, 19, 5, 9});
  EXPECT_EQ(drive.Files(), (std::vector<std::string>{kBackups + "Backup_04-12-2026_07-05-09.reg",
                                                     kBackups + "Backup_04-12-2026_19-05-09.reg"}));
  EXPECT_EQ(drive.Read(kBackups + "Backup_04-12-2026_07-05-09.reg"),
            kHeader + CrLfLines({R"([HKEY_CURRENT_USER\A])", R"("x"="first")"}));
  EXPECT_EQ(drive.Read(kBackups + "Backup_04-12-2026_19-05-09.reg"),
            kHeader + CrLfLines({R"([HKEY_CURRENT_USER\A])", R"("x"="second")"}));
}

TEST_F(BackupReg, SecondBackupInTheSameSecondReplacesTheFirst) {
  Add("Missing or Invalid Path", R"(A\long value name)", "a longer first backup");
  Backup(kEvening);
  list.SetChecked(1, false);
  Backup(kEvening);
  EXPECT_EQ(drive.Files(), std::vector<std::string>{kBackups + kEveningFile});
  EXPECT_EQ(drive.Read(kBackups + kEveningFile), kHeader);
}

TEST_F(BackupReg, UnnamedDocumentsFolderMeansTheRootOfTheCurrentDrive) {
  files.SetDocumentsFolder("");
  Add("Missing or Invalid Path", R"(A\x)", "1");
  Backup(kEvening);
  ASSERT_EQ(drive.Files(), std::vector<std::string>{"Reg Backup/" + kEveningFile});
  EXPECT_EQ(drive.Read("Reg Backup/" + kEveningFile), kHeader + CrLfLines({R"([HKEY_CURRENT_USER\A])", R"("x"="1")"}));
}

TEST_F(BackupReg, NoBackupWhenTheFolderCannotBeCreated) {
  Add("Missing or Invalid Path", R"(A\x)", "1");
  files.SetDocumentsFolder(R"(C:\Users\Gone\Documents)");  // its parent is missing too
  Backup(kEvening);
  files.SetDocumentsFolder(R"(D:\Documents)");  // a drive that does not exist
  Backup(kEvening);
  EXPECT_TRUE(drive.Files().empty());
  EXPECT_FALSE(drive.IsFolder("Users/Gone"));
}

TEST_F(BackupReg, NoBackupWhenTheFileCannotBeOpened) {
  Add("Missing or Invalid Path", R"(A\x)", "1");
  // A folder where the file would go.
  drive.MakeFolder(kBackups + kEveningFile);
  Backup(kEvening);
  EXPECT_TRUE(drive.IsFolder(kBackups + kEveningFile));
  EXPECT_TRUE(drive.Files().empty());
  // A file where the backup folder would be.
  drive.MakeFolder("Other");
  drive.MakeFile("Other/Reg Backup", "not a folder");
  files.SetDocumentsFolder(R"(C:\Other)");
  Backup(kEvening);
  EXPECT_EQ(drive.Files(), std::vector<std::string>{"Other/Reg Backup"});
  EXPECT_EQ(drive.Read("Other/Reg Backup"), "not a folder");
}

}  // namespace
