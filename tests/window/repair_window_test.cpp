// Delete and the Undo Center through the real main window: the confirmation
// and closing boxes, the values gone from (and brought back into) the real
// registry, the backup file in the prefix's Documents folder, its listing in
// the Undo Center after a restart, Restore through the platform's registry
// editor and Remove to the trash of the Wine home.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/error_list.h"
#include "tests/support/finding_tree.h"
#include "tests/wine/message_box_watcher.h"
#include "tests/wine/prefix_files.h"
#include "tests/wine/registry_dump.h"
#include "tests/wine/scratch_key.h"
#include "tests/window/form1_fixture.h"

namespace {

using app::CommandButton;
using app::RowNumber;
using app::ScanFinding;
using testsupport::Form1Test;
using testsupport::MessageBoxWatcher;
using testsupport::SeenBox;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::UnorderedElementsAre;

constexpr char kDeleteQuestion[] = "Are you sure you want to delete selected items?";
constexpr char kRemoveQuestion[] = "Are you sure you want to delete selected item.";
constexpr char kRemoved[] = "Selected item deleted successfully";
constexpr char kValueName[] = "Missing or Invalid Value Name";
constexpr char kPath[] = "Missing or Invalid Path";

const std::string& Pid() {
  static const std::string pid = std::to_string(GetCurrentProcessId());
  return pid;
}

// --- files and folders -----------------------------------------------------

// The Documents folder as the shell names it (CSIDL_PERSONAL), asked through
// another call than the one the program uses.
std::string DocumentsFolder() {
  char path[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return std::string();
  return path;
}

std::string BackupFolder() { return DocumentsFolder() + "\\Reg Backup"; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// The files directly in a folder: name, size and time of last write, as one
// text each, in the order the file system yields them. {"<no folder>"} when
// there is no such folder.
std::vector<std::string> FolderState(const std::string& folder) {
  if (!Exists(folder)) return {"<no folder>"};
  std::vector<std::string> entries;
  WIN32_FIND_DATAA entry = {};
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    entries.push_back(std::string(entry.cFileName) + " | " + std::to_string(entry.nFileSizeLow) + " | " +
                      std::to_string(entry.ftLastWriteTime.dwHighDateTime) + ":" +
                      std::to_string(entry.ftLastWriteTime.dwLowDateTime));
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return entries;
}

std::set<std::string> FileNamesIn(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA entry = {};
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.insert(entry.cFileName);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

// What one test puts into the backup folder: the folder itself when it was
// not there, files and sub-folders it writes, and the backups the program
// writes for it. Only these are removed afterwards; the folder holds other
// files too when other tests left some.
class BackupFolderUse {
 public:
  BackupFolderUse() : folder_(BackupFolder()), existed_(Exists(folder_)) {}
  ~BackupFolderUse() {
    for (auto it = files_.rbegin(); it != files_.rend(); ++it) DeleteFileA(it->c_str());
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) RemoveDirectoryA(it->c_str());
    if (!existed_) RemoveDirectoryA(folder_.c_str());
  }
  BackupFolderUse(const BackupFolderUse&) = delete;
  BackupFolderUse& operator=(const BackupFolderUse&) = delete;

  const std::string& Folder() const { return folder_; }
  std::string PathOf(const std::string& relative) const { return folder_ + "\\" + relative; }

  void EnsureFolder() {
    if (Exists(folder_)) return;
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
  }
  // A new sub-folder; a test never writes into one it did not make.
  void AddFolder(const std::string& relative) {
    const std::string path = PathOf(relative);
    ASSERT_FALSE(Exists(path)) << path;
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    folders_.push_back(path);
  }
  // A new file; an existing one of that name is left alone and fails the test.
  void AddFile(const std::string& relative, const std::string& bytes = "REGEDIT4\r\n\r\n") {
    const std::string path = PathOf(relative);
    ASSERT_FALSE(Exists(path)) << path;
    ASSERT_TRUE(WriteBytes(path, bytes)) << path;
    files_.push_back(path);
  }
  // A file the program wrote for this test.
  void Adopt(const std::string& name) { files_.push_back(PathOf(name)); }

 private:
  std::string folder_;
  bool existed_;
  std::vector<std::string> files_;
  std::vector<std::string> folders_;
};

// Takes a backup folder that is there out of the way for one test, so that
// the test sees none, and puts it back afterwards as it was.
class BackupFolderAside {
 public:
  BackupFolderAside() : folder_(BackupFolder()), aside_(folder_ + " (aside " + Pid() + ")") {
    if (Exists(folder_)) moved_ = MoveFileA(folder_.c_str(), aside_.c_str()) != FALSE;
  }
  ~BackupFolderAside() {
    if (!moved_) return;
    RemoveDirectoryA(folder_.c_str());
    MoveFileA(aside_.c_str(), folder_.c_str());
  }
  BackupFolderAside(const BackupFolderAside&) = delete;
  BackupFolderAside& operator=(const BackupFolderAside&) = delete;

 private:
  std::string folder_;
  std::string aside_;
  bool moved_ = false;
};

// The trash of the Wine home, where the shell moves a file deleted with
// FOF_ALLOWUNDO when the folder exists (otherwise the file is deleted
// outright). Wine's Windows environment has no HOME; WINEHOMEDIR names the
// Unix home as an NT path ("\??\Z:\...").
class WineTrash {
 public:
  WineTrash() {
    char home[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableA("WINEHOMEDIR", home, sizeof(home));
    std::string path(home, length < sizeof(home) ? length : 0);
    if (path.rfind("\\??\\", 0) == 0) path = path.substr(4);
    home_ = path;
    if (home_.empty()) return;
    const std::vector<std::string> chain = {home_ + "\\.local", home_ + "\\.local\\share", Folder(), Files(), Info()};
    for (const std::string& folder : chain) {
      if (!Exists(folder)) made_.push_back(folder);
    }
    for (std::size_t i = 0; i < 3; ++i) CreateDirectoryA(chain[i].c_str(), nullptr);
  }
  ~WineTrash() {
    for (const std::string& name : names_) {
      DeleteFileA((Files() + "\\" + name).c_str());
      DeleteFileA((Info() + "\\" + name + ".trashinfo").c_str());
    }
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) RemoveDirectoryA(it->c_str());
  }
  WineTrash(const WineTrash&) = delete;
  WineTrash& operator=(const WineTrash&) = delete;

  const std::string& Home() const { return home_; }
  std::string Folder() const { return home_ + "\\.local\\share\\Trash"; }
  std::string Files() const { return Folder() + "\\files"; }
  std::string Info() const { return Folder() + "\\info"; }
  // A file this test sent to the trash, taken out again afterwards.
  void Adopt(const std::string& name) { names_.push_back(name); }

 private:
  std::string home_;
  std::vector<std::string> made_;
  std::vector<std::string> names_;
};

// --- the registry ------------------------------------------------------------

struct ReadValue {
  bool found = false;
  DWORD type = REG_NONE;
  std::string data;  // string data without its NUL
};

ReadValue Read(const std::string& keyPath, const std::string& name) {
  ReadValue value;
  char data[8192] = {};
  DWORD size = sizeof(data);
  value.found = RegGetValueA(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                             &value.type, data, &size) == ERROR_SUCCESS;
  if (!value.found) return value;
  value.data.assign(data, size);
  if ((value.type == REG_SZ || value.type == REG_EXPAND_SZ) && !value.data.empty() && value.data.back() == '\0') {
    value.data.pop_back();
  }
  return value;
}

// Every key and value below HKCU\<keyPath>, one line each, keys first.
void CollectTree(const std::string& keyPath, std::vector<std::string>* keys, std::vector<std::string>* values) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  RegCloseKey(key);
  keys->push_back(keyPath);
  for (const testsupport::StoredValue& value : testsupport::ValuesOf(keyPath)) {
    values->push_back(keyPath + " | " + value.name + " | " + std::to_string(value.type) + " | " + value.data);
  }
  for (const std::string& name : testsupport::SubkeysOf(keyPath)) CollectTree(keyPath + "\\" + name, keys, values);
}

std::vector<std::string> KeysBelow(const std::string& keyPath) {
  std::vector<std::string> keys, values;
  CollectTree(keyPath, &keys, &values);
  return keys;
}

std::vector<std::string> TreeBelow(const std::string& keyPath) {
  std::vector<std::string> keys, values;
  CollectTree(keyPath, &keys, &values);
  keys.insert(keys.end(), values.begin(), values.end());
  return keys;
}

// --- what the tests seed -----------------------------------------------------

// Five values of one key whose files are missing and one whose file exists,
// and a value whose name is itself a missing path.
struct Seed {
  explicit Seed(const testsupport::PrefixFiles& files)
      : present(files.Present()), gone(files.Folder() + "\\gone") {}

  std::string Data(const std::string& name) const {
    if (name == "Alpha") return gone + "\\alpha.exe";
    if (name == "Bravo") return gone + "\\bravo.exe";
    if (name == "Charlie") return gone + "\\charlie.exe /run";
    if (name == "Delta") return "\"" + gone + "\\delta.exe\" -d";
    if (name == "Echo") return gone + "\\echo.dll,2";
    if (name == "Present") return "\"" + present + "\" -q";
    return std::string();
  }
  std::string NamedValue() const { return gone + "\\named.exe"; }

  std::vector<testsupport::SampleEntry> Entries() const {
    std::vector<testsupport::SampleEntry> entries;
    for (const char* name : {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Present"}) {
      entries.push_back(testsupport::Sz("Run", name, Data(name)));
    }
    entries.push_back(testsupport::Sz("Named", NamedValue(), NamedValue()));
    return entries;
  }

  // The rows the scan lists for the seed under HKEY_CURRENT_USER, in walk
  // order: Wine enumerates keys and values by name.
  std::vector<ScanFinding> Rows(const std::string& base) const {
    const std::string root = "HKEY_CURRENT_USER";
    std::vector<ScanFinding> rows = {
        {kValueName, root, base + "\\Named\\" + NamedValue(), NamedValue()},
        {kPath, root, base + "\\Named\\" + NamedValue(), NamedValue()},
    };
    for (const char* name : {"Alpha", "Bravo", "Charlie", "Delta", "Echo"}) {
      rows.push_back({kPath, root, base + "\\Run\\" + name, Data(name)});
    }
    return rows;
  }

  std::string present;
  std::string gone;
};

// Backslashes doubled, as a backup writes names and data.
std::string Doubled(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '\\') out += '\\';
  }
  return out;
}

// "Backup_dd-mm-yyyy_hh-nn-ss.reg" read back into a local time; false when
// the name has another shape.
bool BackupTime(const std::string& name, SYSTEMTIME* time) {
  int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
  char rest[8] = {};
  if (name.size() != 30 || std::sscanf(name.c_str(), "Backup_%2d-%2d-%4d_%2d-%2d-%2d%4s", &day, &month, &year, &hour,
                                       &minute, &second, rest) != 7) {
    return false;
  }
  char rebuilt[64];
  std::snprintf(rebuilt, sizeof(rebuilt), "Backup_%02d-%02d-%04d_%02d-%02d-%02d.reg", day, month, year, hour, minute,
                second);
  if (name != rebuilt) return false;
  *time = SYSTEMTIME{};
  time->wYear = static_cast<WORD>(year);
  time->wMonth = static_cast<WORD>(month);
  time->wDay = static_cast<WORD>(day);
  time->wHour = static_cast<WORD>(hour);
  time->wMinute = static_cast<WORD>(minute);
  time->wSecond = static_cast<WORD>(second);
  return true;
}

// Whole seconds of a local time, for comparing.
ULONGLONG Seconds(SYSTEMTIME time) {
  time.wMilliseconds = 0;
  FILETIME file = {};
  SystemTimeToFileTime(&time, &file);
  return ((static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime) / 10000000ULL;
}

// Processes started by this process and by what it starts. The test process
// joins a job object on first use; the job counts every process that ever
// belonged to it, the registry editor that Restore has the shell start too.
DWORD StartedProcesses() {
  static const HANDLE job = [] {
    HANDLE created = CreateJobObjectA(nullptr, nullptr);
    if (created && !AssignProcessToJobObject(created, GetCurrentProcess())) {
      CloseHandle(created);
      created = nullptr;
    }
    return created;
  }();
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
  if (!job || !QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof(info), nullptr)) {
    ADD_FAILURE() << "the test process cannot count the processes it starts";
    return 0;
  }
  return info.TotalProcesses;
}

struct Row {
  ScanFinding finding;
  bool checked;
  bool operator==(const Row& other) const {
    return finding == other.finding && checked == other.checked;
  }
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.finding << (row.checked ? " checked" : ""); }

void ExpectDeleteQuestion(const SeenBox& box) {
  EXPECT_EQ(box.text, kDeleteQuestion);
  EXPECT_THAT(box.buttons, UnorderedElementsAre(IDOK, IDCANCEL));
  EXPECT_EQ(box.defaultButton, IDOK);
  EXPECT_FALSE(box.hasIcon);
}

void ExpectRemoveQuestion(const SeenBox& box) {
  EXPECT_EQ(box.text, kRemoveQuestion);
  EXPECT_THAT(box.buttons, UnorderedElementsAre(IDYES, IDNO));
  EXPECT_EQ(box.defaultButton, IDYES);
  EXPECT_TRUE(box.hasIcon);
}

void ExpectPlainMessage(const SeenBox& box, const std::string& text) {
  EXPECT_EQ(box.text, text);
  EXPECT_THAT(box.buttons, ElementsAre(IDOK));
  EXPECT_FALSE(box.hasIcon);
}

// --- the window ----------------------------------------------------------------

class RepairTest : public Form1Test {
 protected:
  // A full scan of the prefix registry, run inside the click.
  void Scan() {
    Click(CommandButton::Start);
    ASSERT_EQ(Form().Session().ScanState(), "stop");
    ASSERT_GT(Form().ErrorList().Count(), 0);
  }

  std::vector<Row> AllRows() {
    std::vector<Row> rows;
    app::Win32ListView& list = Form().ErrorList();
    for (RowNumber i = 1; i <= list.Count(); ++i) rows.push_back({app::FindingAt(list, i), list.Checked(i)});
    return rows;
  }

  // Numbers of the rows under HKEY_CURRENT_USER\<base> (the same values are
  // listed again under HKEY_USERS), in list order.
  std::vector<RowNumber> RowsUnder(const std::string& base) {
    std::vector<RowNumber> numbers;
    app::Win32ListView& list = Form().ErrorList();
    for (RowNumber i = 1; i <= list.Count(); ++i) {
      const ScanFinding f = app::FindingAt(list, i);
      if (f.rootPath == "HKEY_CURRENT_USER" && f.subPath.rfind(base + "\\", 0) == 0) numbers.push_back(i);
    }
    return numbers;
  }

  std::vector<RowNumber> CheckedRows() {
    std::vector<RowNumber> numbers;
    for (RowNumber i = 1; i <= Form().ErrorList().Count(); ++i) {
      if (Form().ErrorList().Checked(i)) numbers.push_back(i);
    }
    return numbers;
  }

  std::vector<std::string> UndoRows() {
    std::vector<std::string> texts;
    for (RowNumber i = 1; i <= Form().UndoList().Count(); ++i) texts.push_back(Form().UndoList().Text(i));
    return texts;
  }

  // The one row of the Undo Center with this text; 0 when there is none.
  RowNumber UndoRowOf(const std::string& text) {
    RowNumber found = 0;
    for (RowNumber i = 1; i <= Form().UndoList().Count(); ++i) {
      if (Form().UndoList().Text(i) != text) continue;
      EXPECT_EQ(found, 0) << "two rows read " << text;
      found = i;
    }
    return found;
  }

  // A click at a point of a list, as the mouse delivers it: the button-up is
  // queued first, because the list waits for it inside its button-down.
  void ClickAt(HWND list, POINT point) {
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Pump();
  }

  static RECT RowRect(HWND list, RowNumber row, int part) {
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row - 1), FALSE);
    RECT r = {};
    r.left = part;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&r));
    return r;
  }

  void ClickRowText(HWND list, RowNumber row) {
    const RECT r = RowRect(list, row, LVIR_LABEL);
    ClickAt(list, {r.left + 10, (r.top + r.bottom) / 2});
  }

  void ClickRowCheckBox(HWND list, RowNumber row) {
    const RECT r = RowRect(list, row, LVIR_BOUNDS);
    for (int x = r.left; x < r.left + 40; ++x) {
      LVHITTESTINFO hit = {};
      hit.pt = {x, (r.top + r.bottom) / 2};
      SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (hit.flags & LVHT_ONITEMSTATEICON) {
        ClickAt(list, hit.pt);
        return;
      }
    }
    ADD_FAILURE() << "no check box found in row " << row;
  }

  // Selects a row of the Undo Center without a click on the list, as the
  // arrow keys would.
  void SelectWithoutClick(RowNumber row) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Form().UndoList().Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1),
                 reinterpret_cast<LPARAM>(&item));
  }

  // Processes window messages until `done` holds or the time limit passes.
  template <typename Condition>
  static bool PumpUntil(Condition done, int seconds = 30) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
      if (std::chrono::steady_clock::now() > until) return false;
      Pump(50);
    }
    return true;
  }
};

using RepairWindowTest = RepairTest;
using RepairUndoCenterTest = RepairTest;

TEST_F(RepairWindowTest, DeleteRemovesTheCheckedValuesAndTheUndoCenterBringsThemBackAfterARestart) {
  testsupport::PrefixFiles prefixFiles;
  testsupport::ScratchKey scratch;
  const Seed seed(prefixFiles);
  scratch.Build(seed.Entries());
  ASSERT_FALSE(DocumentsFolder().empty());
  BackupFolderUse backups;
  WineTrash trash;
  ASSERT_FALSE(trash.Home().empty()) << "no WINEHOMEDIR in Wine's environment";

  // The Undo Center shown before the removal: its list is filled now, once
  // for this run of the program.
  Click(CommandButton::UndoCenter);
  ASSERT_TRUE(Form().UndoPanel().Visible());
  const std::vector<std::string> listedBeforeDelete = UndoRows();

  Scan();
  const std::vector<RowNumber> ours = RowsUnder(scratch.Path());
  {
    std::vector<ScanFinding> found;
    for (RowNumber i : ours) found.push_back(app::FindingAt(Form().ErrorList(), i));
    ASSERT_THAT(found, ElementsAreArray(seed.Rows(scratch.Path())));
  }
  ASSERT_TRUE(CheckedRows().empty());

  // Rows 2 and 3 of the five values of Run, through the list's own check
  // boxes: a click on the box of one and on the text of the other; and the
  // row of the value named after a path, through the list's check state.
  const RowNumber named = ours[0], bravo = ours[3], charlie = ours[4];
  HWND list = Form().ErrorList().Handle();
  ClickRowCheckBox(list, bravo);
  ClickRowText(list, charlie);
  Form().ErrorList().SetChecked(named, true);
  ASSERT_THAT(CheckedRows(), ElementsAre(named, bravo, charlie));

  const std::vector<Row> rowsBefore = AllRows();
  const std::vector<std::string> treeBefore = TreeBelow(scratch.Path());
  const std::vector<std::string> keysBefore = KeysBelow(scratch.Path());
  const std::vector<std::string> folderBefore = FolderState(backups.Folder());
  const std::set<std::string> namesBefore = FileNamesIn(backups.Folder());
  const std::string errorCount = Form().ResultHeader().LabelText(app::Form1::ErrorCountLabelId());

  // Cancel: nothing is written, requested or deleted.
  {
    MessageBoxWatcher watcher;
    watcher.Answer({IDCANCEL});
    Click(CommandButton::Delete);
    const auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    ExpectDeleteQuestion(seen[0]);
  }
  EXPECT_EQ(TreeBelow(scratch.Path()), treeBefore);
  EXPECT_THAT(AllRows(), ElementsAreArray(rowsBefore));
  EXPECT_EQ(FolderState(backups.Folder()), folderBefore);

  // OK: the three checked rows go, from the registry and from the list.
  SYSTEMTIME clickedAt = {}, doneAt = {};
  GetLocalTime(&clickedAt);
  {
    MessageBoxWatcher watcher;  // OK to the question, OK to the closing message
    Click(CommandButton::Delete);
    const auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 2u);
    ExpectDeleteQuestion(seen[0]);
    ExpectPlainMessage(seen[1], "3 Items deleted successfully");
  }
  GetLocalTime(&doneAt);

  const std::string run = scratch.Sub("Run");
  EXPECT_FALSE(Read(run, "Bravo").found);
  EXPECT_FALSE(Read(run, "Charlie").found);
  for (const char* name : {"Alpha", "Delta", "Echo", "Present"}) {
    const ReadValue value = Read(run, name);
    EXPECT_TRUE(value.found) << name;
    EXPECT_EQ(value.data, seed.Data(name)) << name;
  }
  // The value named after a path is taken as a value "named.exe" of a key
  // "...\Named\C:\...\gone", which does not exist: nothing is deleted there,
  // and no key is made for it.
  EXPECT_EQ(Read(scratch.Sub("Named"), seed.NamedValue()).data, seed.NamedValue());
  EXPECT_FALSE(scratch.HasKey("Named\\" + seed.gone));
  EXPECT_EQ(KeysBelow(scratch.Path()), keysBefore);

  std::vector<Row> rowsLeft;
  for (const Row& row : rowsBefore) {
    if (!row.checked) rowsLeft.push_back(row);
  }
  EXPECT_THAT(AllRows(), ElementsAreArray(rowsLeft));
  EXPECT_EQ(Form().ErrorList().Count(), static_cast<RowNumber>(rowsBefore.size()) - 3);
  EXPECT_EQ(Form().ResultHeader().LabelText(app::Form1::ErrorCountLabelId()), errorCount);
  EXPECT_EQ(Form().ScanListFrame().LabelText(app::Form1::CurrentKeyLabelId()), "");
  EXPECT_EQ(Form().ScanListFrame().LabelFont(app::Form1::CurrentKeyLabelId()).Size, 8);
  EXPECT_FALSE(Form().ScanListFrame().LabelFont(app::Form1::CurrentKeyLabelId()).Bold);

  // The backup: one new file in <Documents>\Reg Backup named after the time
  // of the click, holding the checked rows in list order.
  std::vector<std::string> written;
  for (const std::string& name : FileNamesIn(backups.Folder())) {
    if (!namesBefore.count(name)) written.push_back(name);
  }
  for (const std::string& name : written) backups.Adopt(name);
  ASSERT_EQ(written.size(), 1u);
  const std::string backupName = written[0];
  const std::string backupPath = backups.PathOf(backupName);
  SYSTEMTIME backupTime = {};
  ASSERT_TRUE(BackupTime(backupName, &backupTime)) << backupName;
  EXPECT_LE(Seconds(clickedAt), Seconds(backupTime)) << backupName;
  EXPECT_LE(Seconds(backupTime), Seconds(doneAt)) << backupName;
  const std::string hkcu = "HKEY_CURRENT_USER\\" + scratch.Path();
  const std::string expectedBackup = "REGEDIT4\r\n\r\n"
                                     "[" + hkcu + "\\Named\\" + seed.gone + "]\r\n"
                                     "\"named.exe\"=\"" + Doubled(seed.NamedValue()) + "\"\r\n"
                                     "[" + hkcu + "\\Run]\r\n"
                                     "\"Bravo\"=\"" + Doubled(seed.Data("Bravo")) + "\"\r\n"
                                     "[" + hkcu + "\\Run]\r\n"
                                     "\"Charlie\"=\"" + Doubled(seed.Data("Charlie")) + "\"\r\n";
  EXPECT_EQ(ReadBytes(backupPath), expectedBackup);

  // Later in the same run the Undo Center still shows what it listed first.
  Click(CommandButton::UndoCenter);
  EXPECT_EQ(UndoRows(), listedBeforeDelete);
  EXPECT_EQ(UndoRowOf(backupName), 0);

  // After a restart it lists the new backup by its file name.
  Open();
  Click(CommandButton::UndoCenter);
  ASSERT_TRUE(Form().UndoPanel().Visible());
  const RowNumber backupRow = UndoRowOf(backupName);
  ASSERT_NE(backupRow, 0) << backupName;
  const RowNumber undoRows = Form().UndoList().Count();
  HWND undoList = Form().UndoList().Handle();

  // Restore: the shell opens the file with the registry editor, which imports
  // it in its own process; the window shows nothing and keeps the row.
  ClickRowText(undoList, backupRow);
  ASSERT_EQ(Form().UndoList().SelectedRow(), backupRow);
  const DWORD processesBefore = StartedProcesses();
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::Restore);
    EXPECT_EQ(StartedProcesses(), processesBefore + 1) << "Restore starts one program, the registry editor";
    const bool imported = PumpUntil([&] {
      return Read(run, "Bravo").found && Read(run, "Charlie").found &&
             Read(scratch.Sub("Named\\" + seed.gone), "named.exe").found;
    });
    EXPECT_TRUE(imported) << "the backup was not imported within the time limit";
    EXPECT_TRUE(watcher.Seen().empty());
  }
  for (const char* name : {"Bravo", "Charlie"}) {
    const ReadValue value = Read(run, name);
    EXPECT_TRUE(value.found) << name;
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << name;
    EXPECT_EQ(value.data, seed.Data(name)) << name;
  }
  // The row of the value named after a path comes back in the shape the
  // backup recorded it: a key named after the path's folders, holding a
  // value of the last component. The value itself never left.
  const ReadValue split = Read(scratch.Sub("Named\\" + seed.gone), "named.exe");
  EXPECT_EQ(split.data, seed.NamedValue());
  EXPECT_EQ(Read(scratch.Sub("Named"), seed.NamedValue()).data, seed.NamedValue());
  EXPECT_EQ(Form().UndoList().Count(), undoRows);
  EXPECT_EQ(UndoRowOf(backupName), backupRow);
  EXPECT_TRUE(Exists(backupPath));

  // Remove answered No keeps file and row; the choice made by the click
  // stands, so Yes afterwards acts without another click.
  ClickRowText(undoList, backupRow);
  {
    MessageBoxWatcher watcher;
    watcher.Answer({IDNO});
    Click(CommandButton::Remove);
    const auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    ExpectRemoveQuestion(seen[0]);
  }
  EXPECT_TRUE(Exists(backupPath));
  EXPECT_EQ(UndoRowOf(backupName), backupRow);

  const std::string trashed = trash.Files() + "\\" + backupName;
  ASSERT_FALSE(Exists(trashed)) << trashed;
  {
    MessageBoxWatcher watcher;  // Yes, then OK
    Click(CommandButton::Remove);
    const auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 2u);
    ExpectRemoveQuestion(seen[0]);
    ExpectPlainMessage(seen[1], kRemoved);
  }
  trash.Adopt(backupName);
  EXPECT_FALSE(Exists(backupPath));
  EXPECT_EQ(ReadBytes(trashed), expectedBackup) << "the backup is in the trash of the Wine home";
  EXPECT_TRUE(Exists(trash.Info() + "\\" + backupName + ".trashinfo"));
  EXPECT_EQ(UndoRowOf(backupName), 0);
  EXPECT_EQ(Form().UndoList().Count(), undoRows - 1);
}

TEST_F(RepairUndoCenterTest, OddBackupFolderIsListedAsTheFileSystemYieldsIt) {
  BackupFolderUse backups;
  backups.EnsureFolder();
  const std::string p = Pid();
  const std::string sub = "hs-sub-" + p;
  const std::string deeper = sub + "\\deeper";
  // Written in an order unlike the one the folder is listed in.
  backups.AddFolder(sub);
  backups.AddFolder(deeper);
  for (const std::string& name : {"zz-inner-" + p + ".reg", "stop-" + p, "b-inner-" + p + ".reg",
                                  "a-inner-" + p + ".reg"}) {
    backups.AddFile(sub + "\\" + name);
  }
  backups.AddFile(deeper + "\\deep-" + p + ".reg");
  for (const std::string& name : {"zz after-" + p + ".reg", "Omega-" + p + ".reg", "Nodot-" + p,
                                  "my backup " + p + " .reg", "log-" + p + ".2.txt", "ALPHA-" + p + ".REG",
                                  "  padded-" + p + "  .  reg"}) {
    backups.AddFile(name);
  }

  {
    MessageBoxWatcher watcher;
    Click(CommandButton::UndoCenter);
    EXPECT_TRUE(watcher.Seen().empty());
  }
  // Wine yields a folder's entries sorted by name without regard to case
  // (so "Nodot-" comes after "log-" and "my backup"), not in the order they
  // were written. A sub-folder's files come before the folder's own, the
  // deeper ones first; a file without a dot ends its folder's listing
  // ("stop-", "Nodot-"), not its parent's. Blanks around the first dot go.
  const std::vector<std::string> expected = {
      "deep-" + p + ".reg",    "a-inner-" + p + ".reg", "b-inner-" + p + ".reg",  "padded-" + p + ".reg",
      "ALPHA-" + p + ".REG",   "log-" + p + ".2.txt",   "my backup " + p + ".reg",
  };
  std::set<std::string> ours(expected.begin(), expected.end());
  for (const std::string& missing : {"zz-inner-" + p + ".reg", "zz after-" + p + ".reg", "Omega-" + p + ".reg"}) {
    ours.insert(missing);
  }
  std::vector<std::string> listed;
  for (const std::string& text : UndoRows()) {
    if (ours.count(text)) listed.push_back(text);
  }
  EXPECT_THAT(listed, ElementsAreArray(expected));

  HWND undoList = Form().UndoList().Handle();
  // "my backup <pid>.reg" names no file: Restore starts nothing and says
  // nothing (Wine's shell gives "file not found" without a window), and
  // Remove deletes nothing yet takes the row off and reports success.
  const std::string spacedRow = "my backup " + p + ".reg";
  RowNumber row = UndoRowOf(spacedRow);
  ASSERT_NE(row, 0);
  ClickRowText(undoList, row);
  {
    MessageBoxWatcher watcher;
    const DWORD processesBefore = StartedProcesses();
    Click(CommandButton::Restore);
    EXPECT_EQ(StartedProcesses(), processesBefore);
    EXPECT_TRUE(watcher.Seen().empty());
  }
  ClickRowText(undoList, row);
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::Remove);
    const auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 2u);
    ExpectRemoveQuestion(seen[0]);
    ExpectPlainMessage(seen[1], kRemoved);
  }
  EXPECT_EQ(UndoRowOf(spacedRow), 0);
  EXPECT_TRUE(Exists(backups.PathOf("my backup " + p + " .reg")));

  // That Remove used the click up: a row selected without a click is not
  // acted on.
  const std::string deepRow = "deep-" + p + ".reg";
  row = UndoRowOf(deepRow);
  ASSERT_NE(row, 0);
  SelectWithoutClick(row);
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::Remove);
    const auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    ExpectRemoveQuestion(seen[0]);
  }
  EXPECT_EQ(UndoRowOf(deepRow), row);

  // A file of a sub-folder is addressed directly in the backup folder, where
  // it is not: it stays where it is.
  ClickRowText(undoList, row);
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::Remove);
    const auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 2u);
    ExpectPlainMessage(seen[1], kRemoved);
  }
  EXPECT_EQ(UndoRowOf(deepRow), 0);
  EXPECT_TRUE(Exists(backups.PathOf(deeper + "\\" + deepRow)));
}

TEST_F(RepairUndoCenterTest, NoBackupFolderOrAnEmptyOneLeavesTheListEmptyWithoutAMessage) {
  BackupFolderAside aside;
  ASSERT_FALSE(Exists(BackupFolder()));
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::UndoCenter);
    EXPECT_TRUE(Form().UndoPanel().Visible());
    EXPECT_EQ(Form().UndoList().Count(), 0);
    EXPECT_TRUE(watcher.Seen().empty());
  }
  EXPECT_FALSE(Exists(BackupFolder())) << "listing makes no folder";

  BackupFolderUse backups;
  backups.EnsureFolder();
  Open();
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::UndoCenter);
    EXPECT_EQ(Form().UndoList().Count(), 0);
    EXPECT_TRUE(watcher.Seen().empty());
  }
}

TEST_F(RepairUndoCenterTest, RestoreAndRemoveBeforeAnyClickOnTheListDoNothing) {
  testsupport::ScratchKey scratch;
  BackupFolderUse backups;
  backups.EnsureFolder();
  const std::string name = "hs-chosen-" + Pid() + ".reg";
  backups.AddFile(name, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + scratch.Path() + "]\r\n\"Marker\"=\"restored\"\r\n");

  Click(CommandButton::UndoCenter);
  const RowNumber row = UndoRowOf(name);
  ASSERT_NE(row, 0);
  const RowNumber rows = Form().UndoList().Count();
  SelectWithoutClick(row);
  ASSERT_EQ(Form().UndoList().SelectedRow(), row);

  // Restore: no program is started.
  {
    MessageBoxWatcher watcher;
    const DWORD processesBefore = StartedProcesses();
    Click(CommandButton::Restore);
    EXPECT_EQ(StartedProcesses(), processesBefore);
    EXPECT_TRUE(watcher.Seen().empty());
  }
  // Remove still asks, and then does nothing even when answered Yes.
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::Remove);
    const auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    ExpectRemoveQuestion(seen[0]);
  }
  EXPECT_TRUE(Exists(backups.PathOf(name)));
  EXPECT_EQ(Form().UndoList().Count(), rows);
  EXPECT_EQ(UndoRowOf(name), row);
  EXPECT_FALSE(Read(scratch.Path(), "Marker").found);

  // The same row after a click: Restore acts (the file is imported) ...
  ClickRowText(Form().UndoList().Handle(), row);
  {
    const DWORD processesBefore = StartedProcesses();
    Click(CommandButton::Restore);
    EXPECT_EQ(StartedProcesses(), processesBefore + 1);
  }
  EXPECT_TRUE(PumpUntil([&] { return Read(scratch.Path(), "Marker").data == "restored"; }))
      << "the chosen backup was not imported within the time limit";

  // ... and uses the click up: a Remove after it asks and does nothing.
  {
    MessageBoxWatcher watcher;
    Click(CommandButton::Remove);
    const auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    ExpectRemoveQuestion(seen[0]);
  }
  EXPECT_TRUE(Exists(backups.PathOf(name)));
  EXPECT_EQ(UndoRowOf(name), row);
}

}  // namespace
