// Under Wine in a Japanese locale, where the system ANSI code page is 932:
// the scan and Delete over the real registry and file system, with the
// platform's code page, behave as on the substitutes.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "tests/dbcs/dbcs_removal.h"

namespace {

using namespace dbcs;

TEST(Wine932, ScanAndDeleteSplitAndEscapeByCharacters) {
  ASSERT_EQ(GetACP(), 932u) << "the test runs in a Japanese locale (wine-ja.sh)";
  ASSERT_TRUE(platform::Win32CodePage::System().IsLeadByte(0x83));
  const std::string scratch = "Software\\HivesweepTest\\ja" + std::to_string(GetCurrentProcessId());
  const std::string key = scratch + "\\" + kHyo;
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
            ERROR_SUCCESS);
  for (const auto& [name, data] : kValues) {
    const DWORD one = 1;
    const std::string bytes = data.empty() ? std::string(reinterpret_cast<const char*>(&one), 4) : data + '\0';
    RegSetValueExA(handle, name.c_str(), 0, data.empty() ? REG_DWORD : REG_SZ,
                   reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  }
  RegCloseKey(handle);
  CreateDirectoryA(("C:\\Program Files\\" + kPocket).c_str(), nullptr);
  std::ofstream(kPresent) << 'x';
  platform::Win32Registry registry;
  platform::Win32FileSystem files;
  ASSERT_TRUE(files.PathExists(kPresent));

  const auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  const Outcome out = ScanAndDeleteAll(registry, files, platform::Win32CodePage::System(), key, read);
  ExpectFoundBackedUpAndDeleted(out, key);
  RegDeleteTreeA(HKEY_CURRENT_USER, scratch.c_str());
}

}  // namespace
