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
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/error_list.h"
#include "tests/support/finding_tree.h"
#include "tests/support/input.h"
#include "tests/support/message_box_watcher.h"
#include "tests/support/real_registry.h"
#include "tests/window/window_test.h"

namespace {

using app::CommandButton;
using app::RowNumber;
using app::ScanFinding;
using testsupport::fs::path;
using testsupport::MessageBoxWatcher;
using testsupport::OwnedFolder;
using testsupport::ReadValue;
using testsupport::StartedProcesses;
using ::testing::ElementsAreArray;

const std::string kPid = std::to_string(GetCurrentProcessId());

// A folder as the shell names it, asked through another call than the one
// the program uses.
path ShellFolder(int csidl) {
  char folder[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}
path BackupFolder() { return ShellFolder(CSIDL_PERSONAL) / "Reg Backup"; }

std::string ReadBytes(const path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

std::string Doubled(const std::string& text) {  // backslashes doubled, as a backup writes data
  std::string out;
  for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

// Whole seconds of a local time.
ULONGLONG Seconds(SYSTEMTIME time) {
  time.wMilliseconds = 0;
  FILETIME file = {};
  SystemTimeToFileTime(&time, &file);
  return ((static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime) / 10000000ULL;
}

// The time a backup's name "Backup_dd-mm-yyyy_hh-nn-ss.reg" gives, in whole
// seconds; 0 for a name of another shape.
ULONGLONG BackupSeconds(const std::string& name) {
  int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
  char tail[8] = {};
  if (name.size() != 30 || std::sscanf(name.c_str(), "Backup_%2d-%2d-%4d_%2d-%2d-%2d%7s", &day, &month, &year, &hour,
                                       &minute, &second, tail) != 7 || std::string(tail) != ".reg") {
    return 0;
  }
  return Seconds({static_cast<WORD>(year), static_cast<WORD>(month), 0, static_cast<WORD>(day),
                  static_cast<WORD>(hour), static_cast<WORD>(minute), static_cast<WORD>(second), 0});
}

struct Box {
  std::string text;
  std::vector<int> buttons;
  bool icon;
};
const Box kDeleteQuestion{"Are you sure you want to delete selected items?", {IDOK, IDCANCEL}, false};
const Box kRemoveQuestion{"Are you sure you want to delete selected item.", {IDYES, IDNO}, true};
const Box kRemoved{"Selected item deleted successfully", {IDOK}, false};

// The boxes a watcher answered: texts, buttons (the first one the default)
// and icon.
void ExpectBoxes(const MessageBoxWatcher& watcher, const std::vector<Box>& expected) {
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), expected.size());
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].text, expected[i].text);
    EXPECT_THAT(seen[i].buttons, ::testing::UnorderedElementsAreArray(expected[i].buttons)) << seen[i].text;
    EXPECT_EQ(seen[i].defaultButton, expected[i].buttons[0]) << seen[i].text;
    EXPECT_EQ(seen[i].hasIcon, expected[i].icon) << seen[i].text;
  }
}

enum class Tick { kNone, kBox, kText, kTextTwice };

// One string value seeded below the scratch key, in the order the walk meets
// it (Wine enumerates keys and values by name): how many rows the scan lists
// for it (its name and its data can each name a missing file), how the test
// ticks its first row, whether it is still there after Delete, and its type.
struct Seeded {
  std::string key;
  std::string name;
  std::string data;  // UTF-8, without the final NUL
  int rows;
  Tick tick;
  bool afterDelete;
  DWORD type = REG_SZ;
};

// The text the list shows of a seeded value: its first string, in the ANSI
// code page.
std::string Shown(const Seeded& s) {
  const std::wstring wide = testsupport::Wide(s.data.substr(0, s.data.find('\0')));
  std::string ansi(wide.size() * 2, '\0');
  ansi.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                                           &ansi[0], static_cast<int>(ansi.size()), nullptr, nullptr)));
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
      {"Broken", "after", gone + "\\after.exe", 1, Tick::kBox, false},
      {"Broken", "lines", gone + "\\a.exe\r\nsecond line", 1, Tick::kBox, false},
      // A value named after a path: Delete finds no value of the last part in
      // a key named after the rest, and leaves it.
      {"Named", gone + "\\named.exe", gone + "\\named.exe", 2, Tick::kBox, true},
      {"Quoted", "cmd", "\"" + gone + "\\q.exe\" -n", 1, Tick::kText, false},
      {"Quoted", "say \"hi\"", gone + "\\hi.exe", 1, Tick::kBox, false},
      {"Run", "Alpha", gone + "\\alpha.exe", 1, Tick::kTextTwice, true},
      {"Run", "Bravo", gone + "\\bravo.exe /run", 1, Tick::kBox, false},
      {"Run", "Echo", gone + "\\echo.dll,2", 1, Tick::kNone, true},
      {"Run", "Folder", files, 0, Tick::kNone, true},  // a folder exists too
      {"Run", "My App (x86)", gone + "\\My App\\app.exe -s=1 [x] ;y %1", 1, Tick::kText, false},
      {"Run", "Present", "\"" + present + "\" -q", 0, Tick::kNone, true},
      {"Run", "Shouted", shouted, 0, Tick::kNone, true},  // the file system ignores case
      {"Run", "Trailing", gone + "\\", 1, Tick::kBox, false},
      // Values whose texts lose part of them (a NUL and what follows, a
      // character outside the ANSI code page, a second string), and a
      // backslash before a quote.
      {"Shapes", "backslash quote", gone + "\\bq.exe \\\"x\\\"", 1, Tick::kBox, false},
      {"Shapes", "multi", gone + "\\multi.exe\0second\0"s, 1, Tick::kBox, false, REG_MULTI_SZ},
      {"Shapes", "nul", gone + "\\nul.exe\0tail"s, 1, Tick::kBox, false},
      {"Shapes", "wide", gone + "\\\xE4\xB8\xAD.exe", 1, Tick::kBox, false},
      {"Shell\\open\\command", "", gone + "\\open.exe %1", 1, Tick::kText, false},
  };
}

bool Ticked(const Seeded& s) { return s.tick == Tick::kBox || s.tick == Tick::kText; }

class RepairPathTest : public testsupport::WindowTest {
 protected:
  struct Row {
    ScanFinding finding;
    bool checked;
    bool operator==(const Row& o) const { return finding == o.finding && checked == o.checked; }
  };

  std::vector<Row> AllRows() {
    std::vector<Row> rows;
    for (RowNumber i = 1; i <= Form().ErrorList().Count(); ++i) {
      rows.push_back({app::FindingAt(Form().ErrorList(), i), Form().ErrorList().Checked(i)});
    }
    return rows;
  }
  // Numbers of the rows under HKEY_CURRENT_USER\<base>, in list order.
  std::vector<RowNumber> RowsUnder(const std::string& base) {
    std::vector<RowNumber> numbers;
    for (RowNumber i = 1; i <= Form().ErrorList().Count(); ++i) {
      const ScanFinding f = app::FindingAt(Form().ErrorList(), i);
      if (f.rootPath == "HKEY_CURRENT_USER" && f.subPath.rfind(base + "\\", 0) == 0) numbers.push_back(i);
    }
    return numbers;
  }
  std::vector<std::string> UndoRows() {
    std::vector<std::string> texts;
    for (RowNumber i = 1; i <= Form().UndoList().Count(); ++i) texts.push_back(Form().UndoList().Text(i));
    return texts;
  }
  RowNumber UndoRowOf(const std::string& text) {
    const auto rows = UndoRows();
    const auto it = std::find(rows.begin(), rows.end(), text);
    return it == rows.end() ? 0 : static_cast<RowNumber>(it - rows.begin() + 1);
  }
};

TEST_F(RepairPathTest, ScanTickDeleteRestartRestoreRemove) {
  const OwnedFolder files("C:\\HsTest-" + kPid, true);
  WriteBytes(files.Path() / "present.exe", "");
  const std::vector<Seeded> seeded = SeededValues(files.Path().string());
  testsupport::ScratchKey scratch;
  std::vector<testsupport::SampleEntry> entries;
  for (const Seeded& s : seeded) entries.push_back(testsupport::Typed(s.key, s.name, s.type, s.data + '\0'));
  scratch.Build(entries);
  std::vector<testsupport::StoredValue> seededAs;
  for (const Seeded& s : seeded) seededAs.push_back(ReadValue(scratch.Sub(s.key), s.name));
  const OwnedFolder backups(BackupFolder(), false);
  const OwnedFolder twins(ShellFolder(CSIDL_LOCAL_APPDATA) / "Zentrova" / "Hivesweep" / "Exact", false);
  char home[MAX_PATH * 2] = {};  // the Unix home as an NT path, "\??\Z:\..."
  ASSERT_GT(GetEnvironmentVariableA("WINEHOMEDIR", home, sizeof(home)), 4u);
  const OwnedFolder trash(path(home + 4) / ".local" / "share" / "Trash", true);

  // With no backup folder the Undo Center lists nothing, says nothing and
  // makes no folder.
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::UndoCenter);
    EXPECT_EQ(Form().UndoList().Count(), 0);
    ExpectBoxes(watcher, {});
  }
  EXPECT_FALSE(exists(backups.Path()));

  // The scan: exactly the rows of the missing files, the Undo Center gone.
  Click(CommandButton::Start);
  EXPECT_TRUE(IsWindowVisible(Form().ScanPanel().Handle()));
  EXPECT_FALSE(IsWindowVisible(Form().UndoPanel().Handle()));
  ExpectResultState();
  EXPECT_EQ(Form().ScanListFrame().LabelText(app::Form1::StatusLabelId()), "Completed...");
  const std::vector<RowNumber> ours = RowsUnder(scratch.Path());
  std::vector<ScanFinding> expected;
  std::vector<RowNumber> firstRow;  // of each seeded value, 0 for none
  for (const Seeded& s : seeded) {
    firstRow.push_back(s.rows && expected.size() < ours.size() ? ours[expected.size()] : 0);
    const std::string sub = scratch.Sub(s.key) + "\\" + s.name;
    if (s.rows == 2) expected.push_back({"Missing or Invalid Value Name", "HKEY_CURRENT_USER", sub, Shown(s)});
    if (s.rows >= 1) expected.push_back({"Missing or Invalid Path", "HKEY_CURRENT_USER", sub, Shown(s)});
  }
  std::vector<ScanFinding> found;
  for (RowNumber i : ours) found.push_back(app::FindingAt(Form().ErrorList(), i));
  ASSERT_THAT(found, ElementsAreArray(expected));

  // Ticks through the list control itself; the list reads every mark back as
  // the control holds it.
  HWND list = Form().ErrorList().Handle();
  for (std::size_t i = 0; i < seeded.size(); ++i) {
    const Tick tick = seeded[i].tick;
    if (tick == Tick::kBox) testsupport::ClickRow(list, firstRow[i], testsupport::RowPart::kCheckBox);
    if (tick == Tick::kText || tick == Tick::kTextTwice) testsupport::ClickRow(list, firstRow[i]);
    if (tick == Tick::kTextTwice) testsupport::ClickRow(list, firstRow[i]);
  }
  for (RowNumber row : ours) {
    bool ticked = false;
    for (std::size_t i = 0; i < seeded.size(); ++i) ticked |= firstRow[i] == row && Ticked(seeded[i]);
    EXPECT_EQ(testsupport::RowCheckedInControl(list, row), ticked) << row;
    EXPECT_EQ(Form().ErrorList().Checked(row), ticked) << row;
  }
  Screenshot("scan-results");

  // Cancel: nothing is written, requested or deleted.
  const std::vector<Row> rowsBefore = AllRows();
  const std::string errorCount = Form().ResultHeader().LabelText(app::Form1::ErrorCountLabelId());
  const std::vector<std::string> treeBefore = testsupport::TreeBelow(scratch.Path());
  {
    MessageBoxWatcher watcher;
    watcher.Answer({IDCANCEL});
    Click(CommandButton::Delete);
    ExpectBoxes(watcher, {kDeleteQuestion});
  }
  EXPECT_EQ(testsupport::TreeBelow(scratch.Path()), treeBefore);
  EXPECT_TRUE(AllRows() == rowsBefore);
  EXPECT_FALSE(exists(backups.Path()) || exists(twins.Path()));

  // OK: the ticked rows leave the list and their values the registry.
  SYSTEMTIME clickedAt = {}, doneAt = {};
  GetLocalTime(&clickedAt);
  {
    MessageBoxWatcher watcher;  // OK to the question and to the closing message
    Click(CommandButton::Delete);
    ExpectBoxes(watcher, {kDeleteQuestion, {"13 Items deleted successfully", {IDOK}, false}});
  }
  GetLocalTime(&doneAt);
  std::vector<Row> rowsLeft;
  for (const Row& row : rowsBefore) {
    if (!row.checked) rowsLeft.push_back(row);
  }
  EXPECT_TRUE(AllRows() == rowsLeft);
  EXPECT_EQ(Form().ResultHeader().LabelText(app::Form1::ErrorCountLabelId()), errorCount) << "the scan's count stays";
  for (const Seeded& s : seeded) EXPECT_EQ(ReadValue(scratch.Sub(s.key), s.name).found, s.afterDelete) << s.name;
  EXPECT_FALSE(scratch.HasKey("Named\\C:"));
  EXPECT_EQ(Form().ScanListFrame().LabelText(app::Form1::CurrentKeyLabelId()), "");
  EXPECT_EQ(Form().ScanListFrame().LabelFont(app::Form1::CurrentKeyLabelId()).Size, 8);
  EXPECT_FALSE(Form().ScanListFrame().LabelFont(app::Form1::CurrentKeyLabelId()).Bold);

  // The backup: the one file of <Documents>\Reg Backup, named after the time
  // of the click, holding the ticked rows in list order; its twin of the same
  // name in the program's folder of the local application data.
  std::vector<std::string> written;
  for (const auto& entry : testsupport::fs::directory_iterator(backups.Path())) {
    written.push_back(entry.path().filename().string());
  }
  ASSERT_EQ(written.size(), 1u);
  const std::string backupName = written[0];
  EXPECT_LE(Seconds(clickedAt), BackupSeconds(backupName)) << backupName;
  EXPECT_LE(BackupSeconds(backupName), Seconds(doneAt)) << backupName;
  std::string backup = "REGEDIT4\r\n\r\n";
  for (const Seeded& s : seeded) {
    if (!Ticked(s)) continue;
    const std::string sub = "HKEY_CURRENT_USER\\" + scratch.Sub(s.key) + "\\" + s.name;
    const std::size_t cut = sub.rfind('\\');
    backup += "[" + sub.substr(0, cut) + "]\r\n\"" + sub.substr(cut + 1) + "\"=\"" + Doubled(Shown(s)) + "\"\r\n";
  }
  EXPECT_EQ(ReadBytes(backups.Path() / backupName), backup);
  EXPECT_TRUE(exists(twins.Path() / backupName));

  // After a restart the Undo Center lists it by its file name.
  Open();
  Click(CommandButton::UndoCenter);
  ASSERT_EQ(UndoRows(), std::vector<std::string>{backupName});
  HWND undoList = Form().UndoList().Handle();
  testsupport::ClickRow(undoList, 1);
  Screenshot("undo-center");

  // Restore: the shell opens the twin with the registry editor, which imports
  // it in a process of its own and puts back every value as it was; the
  // window says nothing and keeps the row.
  const DWORD processesBefore = StartedProcesses();
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::Restore);
    EXPECT_EQ(StartedProcesses(), processesBefore + 1);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return testsupport::TreeBelow(scratch.Path()) == treeBefore; }))
        << "the backup was not imported in time";
    ExpectBoxes(watcher, {});
  }
  EXPECT_EQ(testsupport::TreeBelow(scratch.Path()), treeBefore);
  EXPECT_EQ(UndoRows(), std::vector<std::string>{backupName});

  // The same values deleted again and the plain file edited by the user (a
  // line end added): Restore imports the plain file, which writes texts as
  // strings, drops lines the editor cannot read and makes the key a split
  // name gives. The same check tells the two apart.
  for (const Seeded& s : seeded) {
    if (!s.afterDelete) RegDeleteKeyValueA(HKEY_CURRENT_USER, scratch.Sub(s.key).c_str(), s.name.c_str());
  }
  WriteBytes(backups.Path() / backupName, backup + "\r\n");
  testsupport::ClickRow(undoList, 1);
  Click(CommandButton::Restore);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return ReadValue(scratch.Sub("Shell\\open\\command"), "").found; }));
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < seeded.size(); ++i) {
    const testsupport::StoredValue now = ReadValue(scratch.Sub(seeded[i].key), seeded[i].name);
    if (now.found != seededAs[i].found || now.type != seededAs[i].type || now.raw != seededAs[i].raw) {
      changed.push_back(seeded[i].name);
    }
  }
  EXPECT_THAT(changed, ElementsAreArray({"lines", "cmd", "say \"hi\"", "backslash quote", "multi", "nul", "wide"}));
  EXPECT_TRUE(scratch.HasKey("Named\\" + files.Path().string() + "\\gone"));

  // Remove: asked, then the backup and its twin go to the trash of the Wine
  // home, and the row leaves the list.
  testsupport::ClickRow(undoList, 1);
  {
    MessageBoxWatcher watcher;  // Yes, then OK
    Click(CommandButton::Remove);
    ExpectBoxes(watcher, {kRemoveQuestion, kRemoved});
  }
  EXPECT_FALSE(exists(backups.Path() / backupName));
  EXPECT_FALSE(exists(twins.Path() / backupName));
  std::vector<std::string> trashed;
  for (const auto& entry : testsupport::fs::directory_iterator(trash.Path() / "files")) {
    trashed.push_back(ReadBytes(entry.path()));
    EXPECT_TRUE(exists(trash.Path() / "info" / (entry.path().filename().string() + ".trashinfo")));
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
  const OwnedFolder backups(BackupFolder(), true);
  create_directories(backups.Path() / "sub" / "deeper");
  for (const char* name : {"sub/zz-inner.reg", "sub/stop", "sub/b-inner.reg", "sub/a-inner.reg", "sub/deeper/deep.reg",
                           "zz after.reg", "Omega.reg", "Nodot", "my backup .reg", "log.2.txt", "ALPHA.REG",
                           "  padded  .  reg"}) {
    WriteBytes(backups.Path() / name, "REGEDIT4\r\n\r\n");
  }
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::UndoCenter);
    ExpectBoxes(watcher, {});
  }
  EXPECT_THAT(UndoRows(), ElementsAreArray({"deep.reg", "a-inner.reg", "b-inner.reg", "padded.reg", "ALPHA.REG",
                                            "log.2.txt", "my backup.reg"}));

  // "my backup.reg" names no file: Restore starts nothing and says nothing
  // (Wine's shell answers "file not found" without a window).
  HWND undoList = Form().UndoList().Handle();
  testsupport::ClickRow(undoList, UndoRowOf("my backup.reg"));
  {
    MessageBoxWatcher watcher;
    const DWORD processesBefore = StartedProcesses();
    Click(CommandButton::Restore);
    EXPECT_EQ(StartedProcesses(), processesBefore);
    ExpectBoxes(watcher, {});
  }
  // A row selected without a click on the list is not chosen.
  testsupport::SelectRowWithoutClick(undoList, UndoRowOf("ALPHA.REG"));
  {
    const DWORD processesBefore = StartedProcesses();
    Click(CommandButton::Restore);
    EXPECT_EQ(StartedProcesses(), processesBefore);
  }
  // A sub-folder's file is addressed in the backup folder itself, where it is
  // not: Remove takes the row off and leaves the file where it is.
  testsupport::ClickRow(undoList, UndoRowOf("deep.reg"));
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::Remove);
    ExpectBoxes(watcher, {kRemoveQuestion, kRemoved});
  }
  EXPECT_EQ(UndoRowOf("deep.reg"), 0);
  EXPECT_TRUE(exists(backups.Path() / "sub" / "deeper" / "deep.reg"));
}

}  // namespace
