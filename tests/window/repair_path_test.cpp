// One path through the real window on the real platform: a scan of the
// prefix registry, rows ticked through the list's own check boxes and row
// clicks, Delete with the platform's message boxes, the backup file in the
// Documents folder and its exact twin, the registry read back, a restart, the
// Undo Center, Restore through the registry editor and Remove to the trash of
// the Wine home. And the Undo Center over a backup folder in the order Wine's
// file system yields it.
#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <utility>

#include "app/error_list.h"
#include "tests/support/finding_tree.h"
#include "tests/support/input.h"
#include "tests/support/real_registry.h"
#include "tests/window/window_test.h"

namespace {

using namespace testsupport;
using app::CommandButton;
using app::RowNumber;
using app::ScanFinding;
using fs::path;
using ::testing::ElementsAreArray;
using Boxes = std::vector<SeenBox>;

// A folder as the shell names it, asked through another call than the one
// the program uses.
path ShellFolder(int csidl) {
  char folder[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}

std::vector<path> Listing(const path& folder) {  // empty when there is no such folder
  std::error_code error;
  return std::vector<path>(fs::directory_iterator(folder, error), fs::directory_iterator());
}

std::string ReadBytes(const path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

// A local time as "yyyy-mm-dd hh:nn:ss", which sorts as the times do.
std::string Sortable(const SYSTEMTIME& t) {
  char text[32] = {};
  std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return text;
}

// The time a backup's name "Backup_dd-mm-yyyy_hh-nn-ss.reg" gives, sortable;
// "" for a name of another shape.
std::string BackupTime(const std::string& name) {
  const std::regex shape(R"(Backup_(\d\d)-(\d\d)-(\d{4})_(\d\d)-(\d\d)-(\d\d)\.reg)");
  return std::regex_match(name, shape) ? std::regex_replace(name, shape, "$3-$2-$1 $4:$5:$6") : "";
}

const SeenBox kDeleteQuestion{"Are you sure you want to delete selected items?", {IDOK, IDCANCEL}, IDOK, false};
const SeenBox kRemoveQuestion{"Are you sure you want to delete selected item.", {IDYES, IDNO}, IDYES, true};
const SeenBox kRemoved{"Selected item deleted successfully", {IDOK}, IDOK, false};

// One string value seeded below the scratch key, in the order the walk meets
// it (Wine enumerates keys and values by name): how many rows the scan lists
// for it (its name and its data can each name a missing file), how the test
// ticks its first row, whether it is still there after Delete, and its type.
struct Seeded {
  std::string key;
  std::string name;
  std::string data;  // UTF-8, without the final NUL
  int rows;
  const char* clicks;  // on its first row: b its check box, t its text
  bool afterDelete;
  DWORD type = REG_SZ;
};

// The text the list shows of a seeded value: its first string, in the ANSI
// code page.
std::string Shown(const Seeded& s) {
  const std::wstring wide = Wide(s.data.substr(0, s.data.find('\0')));
  char ansi[MAX_PATH * 2] = {};
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, sizeof(ansi) - 1, nullptr, nullptr);
  return ansi;
}

std::vector<Seeded> SeededValues(const std::string& files) {
  using namespace std::string_literals;
  const std::string gone = files + "\\gone", present = files + "\\present.exe";
  std::string shouted = present;
  for (std::size_t i = 3; i < shouted.size(); ++i) shouted[i] = static_cast<char>(toupper(shouted[i]));
  return {
      // Texts the plain backup cannot carry (a line break, quotes) come back
      // from its exact twin.
      {"Broken", "after", gone + "\\after.exe", 1, "b", false},
      {"Broken", "lines", gone + "\\a.exe\r\nsecond line", 1, "b", false},
      // A value named after a path: Delete finds no value of the last part in
      // a key named after the rest, and leaves it.
      {"Named", gone + "\\named.exe", gone + "\\named.exe", 2, "b", true},
      {"Quoted", "cmd", "\"" + gone + "\\q.exe\" -n", 1, "t", false},
      {"Quoted", "say \"hi\"", gone + "\\hi.exe", 1, "b", false},
      {"Run", "Alpha", gone + "\\alpha.exe", 1, "tt", true},
      {"Run", "Bravo", gone + "\\bravo.exe /run", 1, "b", false},
      {"Run", "Echo", gone + "\\echo.dll,2", 1, "", true},
      {"Run", "Folder", files, 0, "", true},  // a folder exists too
      {"Run", "My App (x86)", gone + "\\My App\\app.exe -s=1 [x] ;y %1", 1, "t", false},
      {"Run", "Present", "\"" + present + "\" -q", 0, "", true},
      {"Run", "Shouted", shouted, 0, "", true},  // the file system ignores case
      {"Run", "Trailing", gone + "\\", 1, "b", false},
      // Values whose texts lose part of them (a NUL and what follows, a
      // character outside the ANSI code page, a second string), and a
      // backslash before a quote.
      {"Shapes", "backslash quote", gone + "\\bq.exe \\\"x\\\"", 1, "b", false},
      {"Shapes", "multi", gone + "\\multi.exe\0second\0"s, 1, "b", false, REG_MULTI_SZ},
      {"Shapes", "nul", gone + "\\nul.exe\0tail"s, 1, "b", false},
      {"Shapes", "wide", gone + "\\\xE4\xB8\xAD.exe", 1, "b", false},
      {"Shell\\open\\command", "", gone + "\\open.exe %1", 1, "t", false},
  };
}

bool Ticked(const Seeded& s) { return std::strlen(s.clicks) % 2 == 1; }

class RepairPathTest : public WindowTest {
 protected:
  using Row = std::pair<ScanFinding, bool>;  // a finding and its check mark

  std::vector<Row> AllRows() {
    std::vector<Row> rows;
    for (RowNumber i = 1; i <= Form().ErrorList().Count(); ++i) {
      rows.emplace_back(app::FindingAt(Form().ErrorList(), i), Form().ErrorList().Checked(i));
    }
    return rows;
  }
  std::vector<std::string> UndoRows() {
    std::vector<std::string> texts;
    for (RowNumber i = 1; i <= Form().UndoList().Count(); ++i) texts.push_back(Form().UndoList().Text(i));
    return texts;
  }
};

TEST_F(RepairPathTest, ScanTickDeleteRestartRestoreRemove) {
  const OwnedFolder files("C:\\HsTest-" + std::to_string(GetCurrentProcessId()), true);
  WriteBytes(files.Path() / "present.exe", "");
  const std::vector<Seeded> seeded = SeededValues(files.Path().string());
  ScratchKey scratch;
  std::vector<SampleEntry> entries;
  for (const Seeded& s : seeded) entries.push_back(Typed(s.key, s.name, s.type, s.data + '\0'));
  scratch.Build(entries);
  const OwnedFolder backups(ShellFolder(CSIDL_PERSONAL) / "Reg Backup", false);
  const OwnedFolder twins(ShellFolder(CSIDL_LOCAL_APPDATA) / "Zentrova" / "Hivesweep" / "Exact", false);
  char home[MAX_PATH * 2] = {};  // the Unix home as an NT path, "\??\Z:\..."
  ASSERT_GT(GetEnvironmentVariableA("WINEHOMEDIR", home, sizeof(home)), 4u);
  const OwnedFolder trash(path(home + 4) / ".local" / "share" / "Trash", true);

  // With no backup folder the Undo Center lists nothing, says nothing and
  // makes no folder.
  EXPECT_EQ(ClickAnswering(CommandButton::UndoCenter), Boxes{});
  EXPECT_EQ(Form().UndoList().Count(), 0);
  EXPECT_FALSE(exists(backups.Path()));

  // The scan: exactly the rows of the missing files, the Undo Center gone.
  Click(CommandButton::Start);
  EXPECT_TRUE(IsWindowVisible(Form().ScanPanel().Handle()));
  EXPECT_FALSE(IsWindowVisible(Form().UndoPanel().Handle()));
  ExpectResultState();
  EXPECT_EQ(Form().ScanListFrame().LabelText(app::Form1::StatusLabelId()), "Completed...");
  std::vector<RowNumber> ours;  // the rows under the scratch key, in list order
  std::vector<ScanFinding> expected, found;
  for (RowNumber i = 1; i <= Form().ErrorList().Count(); ++i) {
    const ScanFinding f = app::FindingAt(Form().ErrorList(), i);
    if (f.rootPath != "HKEY_CURRENT_USER" || f.subPath.rfind(scratch.Path() + "\\", 0) != 0) continue;
    ours.push_back(i);
    found.push_back(f);
  }
  std::vector<RowNumber> firstRow;  // of each seeded value, 0 for none
  for (const Seeded& s : seeded) {
    firstRow.push_back(s.rows && expected.size() < ours.size() ? ours[expected.size()] : 0);
    const std::string sub = scratch.Sub(s.key) + "\\" + s.name;
    if (s.rows == 2) expected.push_back({"Missing or Invalid Value Name", "HKEY_CURRENT_USER", sub, Shown(s)});
    if (s.rows >= 1) expected.push_back({"Missing or Invalid Path", "HKEY_CURRENT_USER", sub, Shown(s)});
  }
  ASSERT_THAT(found, ElementsAreArray(expected));

  // Ticks through the list control itself; the list reads every mark back as
  // the control holds it.
  HWND list = Form().ErrorList().Handle();
  std::vector<RowNumber> ticked;
  for (std::size_t i = 0; i < seeded.size(); ++i) {
    for (const char* c = seeded[i].clicks; *c; ++c) {
      ClickRow(list, firstRow[i], *c == 'b' ? RowPart::kCheckBox : RowPart::kText);
    }
    if (Ticked(seeded[i])) ticked.push_back(firstRow[i]);
  }
  for (RowNumber row : ours) {
    const bool on = std::find(ticked.begin(), ticked.end(), row) != ticked.end();
    EXPECT_EQ(RowCheckedInControl(list, row), on) << row;
    EXPECT_EQ(Form().ErrorList().Checked(row), on) << row;
  }
  Screenshot("scan-results");

  // Cancel: nothing is written, requested or deleted.
  const std::vector<Row> rowsBefore = AllRows();
  const std::string errorCount = Form().ResultHeader().LabelText(app::Form1::ErrorCountLabelId());
  const std::vector<std::string> treeBefore = TreeBelow(scratch.Path());
  EXPECT_EQ(ClickAnswering(CommandButton::Delete, {IDCANCEL}), Boxes{kDeleteQuestion});
  EXPECT_EQ(TreeBelow(scratch.Path()), treeBefore);
  EXPECT_EQ(AllRows(), rowsBefore);
  EXPECT_FALSE(exists(backups.Path()) || exists(twins.Path()));

  // OK to the question and to the closing message: the ticked rows leave the
  // list and their values the registry.
  SYSTEMTIME clickedAt = {}, doneAt = {};
  GetLocalTime(&clickedAt);
  const SeenBox deleted{"13 Items deleted successfully", {IDOK}, IDOK, false};
  EXPECT_EQ(ClickAnswering(CommandButton::Delete), (Boxes{kDeleteQuestion, deleted}));
  GetLocalTime(&doneAt);
  std::vector<Row> rowsLeft;
  std::copy_if(rowsBefore.begin(), rowsBefore.end(), std::back_inserter(rowsLeft),
               [](const Row& r) { return !r.second; });
  EXPECT_EQ(AllRows(), rowsLeft);
  EXPECT_EQ(Form().ResultHeader().LabelText(app::Form1::ErrorCountLabelId()), errorCount) << "the scan's count stays";
  for (const Seeded& s : seeded) EXPECT_EQ(ReadValue(scratch.Sub(s.key), s.name).found, s.afterDelete) << s.name;
  EXPECT_FALSE(scratch.HasKey("Named\\C:"));
  EXPECT_EQ(Form().ScanListFrame().LabelText(app::Form1::CurrentKeyLabelId()), "");
  EXPECT_EQ(Form().ScanListFrame().LabelFont(app::Form1::CurrentKeyLabelId()).Size, 8);
  EXPECT_FALSE(Form().ScanListFrame().LabelFont(app::Form1::CurrentKeyLabelId()).Bold);

  // The backup: the one file of <Documents>\Reg Backup, named after the time
  // of the click, holding the ticked rows in list order; its twin of the same
  // name in the program's folder of the local application data.
  const std::vector<path> written = Listing(backups.Path());
  ASSERT_EQ(written.size(), 1u);
  const std::string backupName = written[0].filename().string();
  EXPECT_LE(Sortable(clickedAt), BackupTime(backupName)) << backupName;
  EXPECT_LE(BackupTime(backupName), Sortable(doneAt)) << backupName;
  std::string backup = "REGEDIT4\r\n\r\n";
  for (const Seeded& s : seeded) {
    if (!Ticked(s)) continue;
    const std::string sub = "HKEY_CURRENT_USER\\" + scratch.Sub(s.key) + "\\" + s.name;
    const std::size_t cut = sub.rfind('\\');
    const std::string data = std::regex_replace(Shown(s), std::regex(R"(\\)"), R"(\\)");  // backslashes doubled
    backup += "[" + sub.substr(0, cut) + "]\r\n\"" + sub.substr(cut + 1) + "\"=\"" + data + "\"\r\n";
  }
  EXPECT_EQ(ReadBytes(backups.Path() / backupName), backup);
  EXPECT_TRUE(exists(twins.Path() / backupName));

  // After a restart the Undo Center lists it by its file name.
  Open();
  Click(CommandButton::UndoCenter);
  ASSERT_EQ(UndoRows(), std::vector<std::string>{backupName});
  HWND undoList = Form().UndoList().Handle();
  ClickRow(undoList, 1);
  Screenshot("undo-center");

  // Restore: the shell opens the twin with the registry editor, which imports
  // it in a process of its own and puts back every value as it was; the
  // window says nothing and keeps the row.
  const DWORD processesBefore = StartedProcesses();
  EXPECT_EQ(ClickAnswering(CommandButton::Restore), Boxes{});
  EXPECT_EQ(StartedProcesses(), processesBefore + 1);
  WaitUntil([&] { return TreeBelow(scratch.Path()) == treeBefore; });
  EXPECT_EQ(TreeBelow(scratch.Path()), treeBefore) << "not imported (in time)";
  EXPECT_EQ(UndoRows(), std::vector<std::string>{backupName});

  // The same values deleted again and the plain file edited by the user (a
  // line end added): Restore imports the plain file, which writes texts as
  // strings, drops lines the editor cannot read and makes the key a split
  // name gives. The same check tells the two apart.
  for (const Seeded& s : seeded) {
    if (!s.afterDelete) RegDeleteKeyValueA(HKEY_CURRENT_USER, scratch.Sub(s.key).c_str(), s.name.c_str());
  }
  WriteBytes(backups.Path() / backupName, backup + "\r\n");
  ClickRow(undoList, 1);
  Click(CommandButton::Restore);
  EXPECT_TRUE(WaitUntil([&] { return ReadValue(scratch.Sub("Shell\\open\\command"), "").found; }));
  std::vector<std::string> changed;  // the values whose lines ("key | name | type | bytes") differ
  const std::vector<std::string> tree = TreeBelow(scratch.Path());
  for (const std::string& line : treeBefore) {
    if (std::count(tree.begin(), tree.end(), line) > 0) continue;
    const std::size_t name = line.find(" | ") + 3;
    changed.push_back(line.substr(name, line.find(" | ", name) - name));
  }
  EXPECT_THAT(changed, ElementsAreArray({"lines", "cmd", "say \"hi\"", "backslash quote", "multi", "nul", "wide"}));
  EXPECT_TRUE(scratch.HasKey("Named\\" + files.Path().string() + "\\gone"));

  // Remove: asked (Yes, then OK), then the backup and its twin go to the
  // trash of the Wine home, and the row leaves the list.
  ClickRow(undoList, 1);
  EXPECT_EQ(ClickAnswering(CommandButton::Remove), (Boxes{kRemoveQuestion, kRemoved}));
  EXPECT_FALSE(exists(backups.Path() / backupName));
  EXPECT_FALSE(exists(twins.Path() / backupName));
  std::vector<std::string> trashed;
  for (const path& file : Listing(trash.Path() / "files")) {
    trashed.push_back(ReadBytes(file));
    EXPECT_TRUE(exists(trash.Path() / "info" / (file.filename().string() + ".trashinfo")));
  }
  EXPECT_EQ(trashed.size(), 2u);
  EXPECT_THAT(trashed, ::testing::Contains(backup + "\r\n"));
  EXPECT_EQ(Form().UndoList().Count(), 0);
}

// Wine yields a folder's entries sorted by name without regard to case, not
// in the order they were written. A sub-folder's files come first, the deeper
// ones before; a file without a dot ends its folder's listing, not its
// parent's; blanks around the first dot go.
TEST_F(RepairPathTest, UndoCenterListsTheBackupFolderInTheFileSystemsOrder) {
  const OwnedFolder backups(ShellFolder(CSIDL_PERSONAL) / "Reg Backup", true);
  create_directories(backups.Path() / "sub" / "deeper");
  for (const char* name : {"sub/zz-inner.reg", "sub/stop", "sub/b-inner.reg", "sub/a-inner.reg", "sub/deeper/deep.reg",
                           "zz after.reg", "Omega.reg", "Nodot", "my backup .reg", "log.2.txt", "ALPHA.REG",
                           "  padded  .  reg"}) {
    WriteBytes(backups.Path() / name, "REGEDIT4\r\n\r\n");
  }
  EXPECT_EQ(ClickAnswering(CommandButton::UndoCenter), Boxes{});
  ASSERT_THAT(UndoRows(), ElementsAreArray({"deep.reg", "a-inner.reg", "b-inner.reg", "padded.reg", "ALPHA.REG",
                                            "log.2.txt", "my backup.reg"}));

  // "my backup.reg" (row 7) names no file: Restore starts nothing and says
  // nothing (Wine's shell answers "file not found" without a window).
  ClickRow(Form().UndoList().Handle(), 7);
  const DWORD processesBefore = StartedProcesses();
  EXPECT_EQ(ClickAnswering(CommandButton::Restore), Boxes{});
  EXPECT_EQ(StartedProcesses(), processesBefore);
  // A row (ALPHA.REG) selected without a click on the list is not chosen.
  SelectRowWithoutClick(Form().UndoList().Handle(), 5);
  Click(CommandButton::Restore);
  EXPECT_EQ(StartedProcesses(), processesBefore);
}

}  // namespace
