// Under Wine in a Japanese locale, where the system ANSI code page is 932:
// the scan and Delete over the real registry and file system, with the
// platform's code page, behave as on the substitutes.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "tests/dbcs/dbcs_removal.h"
#include "tests/support/real_registry.h"

namespace {

using namespace dbcs;

TEST(Wine932, ScanAndDeleteSplitAndEscapeByCharacters) {
  ASSERT_EQ(GetACP(), 932u) << "the test runs in a Japanese locale (wine-ja.sh)";
  ASSERT_TRUE(platform::Win32CodePage::System().IsLeadByte(0x83));
  testsupport::ScratchKey scratch;
  scratch.Build(ScannedKey());
  CreateDirectoryA(("C:\\Program Files\\" + kPocket).c_str(), nullptr);
  std::ofstream(kPresent) << 'x';
  platform::Win32Registry registry;
  platform::Win32FileSystem files;
  ASSERT_TRUE(files.PathExists(kPresent));
  ExpectScanAndDeleteByCharacters(registry, files, platform::Win32CodePage::System(), scratch.Sub(kHyo));
}

}  // namespace
