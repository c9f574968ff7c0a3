// The file-system facility as the program relies on it: the existence test
// answers as PathFileExistsA does, and line-by-line output replaces a file
// and keeps every line written. Under Wine the same tables run against the
// platform itself, beside the host-folder substitute.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "platform/substitute/host_file_system.h"
#include "tests/support/temp_drive.h"
#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
#endif

namespace {

// Folders and files every Windows system has.
void ExpectExistenceAsThePlatformHasIt(platform::FileSystem& files) {
  const struct {
    const char* path;
    bool exists;
  } cases[] = {
      {"C:\\Program Files", true},           {"C:\\Program Files ", true},  // trailing blanks and dots
      {"C:\\Program Files\\", true},         {"C:\\windows\\notepad.exe. .", true},
      {"C:\\windows\\notepad.exe\\", false},  // a file is no folder
      {"C:\\windows.\\notepad.exe", true},   {"C:\\windows\\gone.exe", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(files.PathExists(c.path), c.exists) << '"' << c.path << '"';
}

// Two lines over a longer file: the file holds exactly those lines.
void ExpectLinesReplaceTheFile(platform::FileSystem& files, const std::string& path,
                               const std::string& hostPath) {
  std::ofstream(hostPath, std::ios::binary) << "an older, longer content";
  {
    const std::unique_ptr<platform::LineWriter> file = files.OpenForWriting(path);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->WriteLine("REGEDIT4"));
    EXPECT_TRUE(file->WriteLine(""));
  }
  std::ifstream in(hostPath, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), "REGEDIT4\r\n\r\n");
  EXPECT_FALSE(files.OpenForWriting(path + "\\no folder\\x.reg"));
}

class HostFiles : public ::testing::Test {
 protected:
  HostFiles() {
    drive.AddFile("Program Files/x");
    drive.AddFile("Windows/notepad.exe");
  }
  testsupport::TempDrive drive;
  platform::HostFileSystem files{drive.Root().string()};
};

TEST_F(HostFiles, ExistenceAsThePlatformHasIt) { ExpectExistenceAsThePlatformHasIt(files); }

TEST_F(HostFiles, LinesReplaceTheFile) {
  ExpectLinesReplaceTheFile(files, "C:\\out.reg", (drive.Root() / "out.reg").string());
}

#ifdef _WIN32
TEST(Win32Files, ExistenceAsThePlatformHasIt) {
  platform::Win32FileSystem files;
  ExpectExistenceAsThePlatformHasIt(files);
}

TEST(Win32Files, LinesReplaceTheFile) {
  testsupport::TempDrive folder;
  const std::string path = (folder.Root() / "out.reg").string();
  platform::Win32FileSystem files;
  ExpectLinesReplaceTheFile(files, path, path);
}
#endif

}  // namespace
