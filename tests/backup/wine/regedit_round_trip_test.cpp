// Backups written by BackupReg into the prefix's Documents folder, imported by
// Wine's own registry editor and read back from the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/backup_reg.h"
#include "app/error_list.h"
#include "app/memory_list_view.h"
#include "engine/registry_access.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "tests/wine/registry_dump.h"
#include "tests/wine/scratch_key.h"

namespace {

using testsupport::StoredValue;
using testsupport::StringValue;
using testsupport::Sz;
using testsupport::Typed;
using testsupport::ValuesOf;

// The real clock, remembering its readings so that the test can name the file.
class RememberingClock final : public platform::Clock {
 public:
  platform::LocalTime Now() override {
    readings.push_back(real_.Now());
    return readings.back();
  }
  std::string ShortDateText(const platform::LocalTime& time) override { return real_.ShortDateText(time); }
  std::string TimeText(const platform::LocalTime& time) override { return real_.TimeText(time); }

  std::vector<platform::LocalTime> readings;

 private:
  platform::Win32Clock real_;
};

// Runs the registry editor silently on a file and waits for it to end. Its
// exit code says nothing about the import.
bool ImportWithRegedit(const std::string& file) {
  std::string command = "regedit.exe /s \"" + file + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

class RegeditRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = app::BackupFolderPath(files_);
    folderExisted_ = files_.PathExists(folder_);
  }
  void TearDown() override {
    for (const std::string& file : written_) DeleteFileA(file.c_str());
    if (!folderExisted_) RemoveDirectoryA(folder_.c_str());
  }

  // A checked row for a value below the scratch key.
  void Add(const std::string& errorType, const std::string& subPath, const std::string& value) {
    app::AddFinding(list, {errorType, "HKEY_CURRENT_USER", scratch.Sub(subPath), value});
    list.SetChecked(list.Count(), true);
  }

  // Writes the backup of the list, empties the scratch key and imports the
  // backup; returns the file's path.
  std::string BackUpClearAndImport() {
    RememberingClock clock;
    app::BackupReg(list, files_, clock);
    EXPECT_EQ(clock.readings.size(), 2u);
    if (clock.readings.size() < 2) return std::string();
    const std::string file = folder_ + app::BackupFileName(clock.readings[0], clock.readings[1]);
    written_.push_back(file);
    EXPECT_TRUE(files_.PathExists(file)) << file;
    testsupport::EmptyKey(scratch.Path());
    EXPECT_TRUE(ValuesOf(scratch.Path()).empty());
    EXPECT_TRUE(testsupport::SubkeysOf(scratch.Path()).empty());
    EXPECT_TRUE(ImportWithRegedit(file));
    return file;
  }

  // A checked row for a value of the scratch key, with the value's display text.
  void AddValueRow(const std::string& keyPath, const std::string& name) {
    for (const StoredValue& stored : ValuesOf(scratch.Sub(keyPath))) {
      if (stored.name == name) {
        Add("Missing or Invalid Path", keyPath + "\\" + name, engine::ValueToText(stored.type, stored.data));
        return;
      }
    }
    ADD_FAILURE() << "no value " << name << " in " << keyPath;
  }

  testsupport::ScratchKey scratch;
  app::MemoryListView list;

 private:
  platform::Win32FileSystem files_;
  std::string folder_;
  bool folderExisted_ = false;
  std::vector<std::string> written_;
};

TEST_F(RegeditRoundTrip, StringValuesComeBackAsTheyWere) {
  scratch.Build({Sz("Run", "Tool", R"(C:\Old\tool.exe /q)"),
                 Sz("Run", "My App (x86)", R"(C:\Program Files (x86)\My App\app.exe -s=1 [x] ;y %1)"),
                 Sz("Shell\\open\\command", "", R"(C:\Gone\app.exe %1)"),
                 Sz("Deep\\Er\\Est", "unc", R"(\\server\share\x.exe)"), Sz("Deep\\Er\\Est", "trailing", R"(C:\Gone\)"),
                 Sz("Deep", "empty", "")});
  AddValueRow("Run", "Tool");
  AddValueRow("Deep\\Er\\Est", "unc");
  AddValueRow("Shell\\open\\command", "");
  AddValueRow("Run", "My App (x86)");  // the same key again, in a block of its own
  AddValueRow("Deep\\Er\\Est", "trailing");
  AddValueRow("Deep", "empty");
  BackUpClearAndImport();

  EXPECT_EQ(
      ValuesOf(scratch.Sub("Run")),
      (std::vector<StoredValue>{StringValue("My App (x86)", R"(C:\Program Files (x86)\My App\app.exe -s=1 [x] ;y %1)"),
                                StringValue("Tool", R"(C:\Old\tool.exe /q)")}));
  EXPECT_EQ(ValuesOf(scratch.Sub("Shell\\open\\command")),
            std::vector<StoredValue>{StringValue("", R"(C:\Gone\app.exe %1)")});
  EXPECT_EQ(ValuesOf(scratch.Sub("Deep\\Er\\Est")),
            (std::vector<StoredValue>{StringValue("trailing", R"(C:\Gone\)"),
                                      StringValue("unc", R"(\\server\share\x.exe)")}));
  EXPECT_EQ(ValuesOf(scratch.Sub("Deep")), std::vector<StoredValue>{StringValue("empty", "")});
}

// What the import makes of entries whose text the format cannot carry back as
// they were, as observed with Wine's registry editor.
TEST_F(RegeditRoundTrip, EntriesTheFormatCannotCarryBack) {
  const std::string dword31("\x1F\0\0\0", 4);
  const std::string bytes("C:\\\0", 4);
  const std::string expand("%SystemRoot%\\gone.exe\0", 22);
  scratch.Build({Typed("Typed", "count", platform::reg_type::kDword, dword31),
                 Typed("Typed", "bytes", platform::reg_type::kBinary, bytes),
                 Typed("Typed", "expand", platform::reg_type::kExpandSz, expand),
                 Sz("Quoted", "command", R"("C:\Program Files\A\b.exe" -n)"), Sz("Quoted", "after", R"(C:\after.exe)"),
                 Sz("Broken", "lines", "C:\\a.exe\r\nsecond line"), Sz("Broken", "after", R"(C:\after.exe)"),
                 Sz("Named", "say \"hi\"", R"(C:\n.exe)"), Sz("Shared", R"(C:\Old\lib.dll)", "C:\\Old\\lib.dll"),
                 testsupport::Key("Keys\\Gone")});
  for (const char* name : {"count", "bytes", "expand"}) AddValueRow("Typed", name);
  AddValueRow("Quoted", "command");
  AddValueRow("Quoted", "after");
  AddValueRow("Broken", "lines");
  AddValueRow("Broken", "after");
  AddValueRow("Named", "say \"hi\"");
  AddValueRow("Shared", R"(C:\Old\lib.dll)");
  Add("Missing or Invalid Key Name", "Keys\\Gone", "*");
  BackUpClearAndImport();

  // Every entry comes back as a string value holding its display text.
  EXPECT_EQ(ValuesOf(scratch.Sub("Typed")),
            (std::vector<StoredValue>{StringValue("bytes", "43 3A 5C 00"), StringValue("count", "0x0000001F(31)"),
                                      StringValue("expand", "Temporarily unsupported")}));
  // A quote in the data or the name, or a line break in the data, makes the
  // editor drop that one value; its key is still made, and the rows after it
  // are imported.
  EXPECT_EQ(ValuesOf(scratch.Sub("Quoted")), std::vector<StoredValue>{StringValue("after", R"(C:\after.exe)")});
  EXPECT_EQ(ValuesOf(scratch.Sub("Broken")), std::vector<StoredValue>{StringValue("after", R"(C:\after.exe)")});
  EXPECT_TRUE(scratch.HasKey("Named"));
  EXPECT_TRUE(ValuesOf(scratch.Sub("Named")).empty());
  // A value name holding backslashes comes back as keys named after its parts.
  EXPECT_TRUE(ValuesOf(scratch.Sub("Shared")).empty());
  EXPECT_EQ(ValuesOf(scratch.Sub(R"(Shared\C:\Old)")),
            std::vector<StoredValue>{StringValue("lib.dll", R"(C:\Old\lib.dll)")});
  // A key finding comes back as a value named after the key in its parent.
  EXPECT_EQ(ValuesOf(scratch.Sub("Keys")), std::vector<StoredValue>{StringValue("Gone", "*")});
  EXPECT_FALSE(scratch.HasKey("Keys\\Gone"));
}

}  // namespace
