// The file-system facility as the program relies on it: the existence test
// answers as PathFileExistsA does, and line-by-line output replaces a file
// and keeps every line written. Under Wine the same checks run against the
// platform itself, beside the host-folder substitute.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/substitute/host_file_system.h"
#include "tests/support/temp_drive.h"
#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
#endif

namespace {

// Folders and files every Windows system has; then two lines written over a
// longer file at `path` (`hostPath` on the host).
void ExpectAsThePlatformHasIt(platform::FileSystem& files, const std::string& path, const std::string& hostPath) {
  const std::pair<const char*, bool> cases[] = {
      {"C:\\Program Files", true},    {"C:\\Program Files ", true},             {"C:\\Program Files\\", true},
      {"C:\\windows\\gone.exe", false}, {"C:\\windows\\notepad.exe. .", true},  {"C:\\windows.\\notepad.exe", true},
      {"C:\\windows\\notepad.exe\\", false},  // a file is no folder
      {"", false},
  };
  for (const auto& [name, exists] : cases) EXPECT_EQ(files.PathExists(name), exists) << '"' << name << '"';

  std::ofstream(hostPath, std::ios::binary) << "an older, longer content";
  if (auto file = files.OpenForWriting(path)) {
    EXPECT_TRUE(file->WriteLine("REGEDIT4"));
    EXPECT_TRUE(file->WriteLine(""));
  }
  std::ifstream in(hostPath, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), "REGEDIT4\r\n\r\n");
  EXPECT_FALSE(files.OpenForWriting(path + "\\no folder\\x.reg"));
}

TEST(FileFacility, AnswersAndWritesAsThePlatform) {
  testsupport::TempDrive drive;
  drive.AddFile("Program Files/x");
  drive.AddFile("Windows/notepad.exe");
  const std::string hostPath = (drive.Root() / "out.reg").string();
  platform::HostFileSystem substitute(drive.Root().string());
  ExpectAsThePlatformHasIt(substitute, "C:\\out.reg", hostPath);
#ifdef _WIN32
  platform::Win32FileSystem win32;
  ExpectAsThePlatformHasIt(win32, hostPath, hostPath);
#endif
}

}  // namespace
