// The version information of the built executable, read back as Windows
// shows it in the file's properties, and the resources beside it.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ::testing::AllOf, ::testing::ElementsAre, ::testing::HasSubstr, ::testing::StartsWith;

TEST(VersionInfoTest, NumbersAndTextsComeFromTheProject) {
  DWORD ignored = 0;
  std::vector<char> data(GetFileVersionInfoSizeA(HIVESWEEP_EXE, &ignored));
  ASSERT_FALSE(data.empty()) << HIVESWEEP_EXE;
  ASSERT_TRUE(GetFileVersionInfoA(HIVESWEEP_EXE, 0, static_cast<DWORD>(data.size()), data.data()));
  auto query = [&data](const std::string& path) -> const void* {
    void* value = nullptr;
    UINT length = 0;
    return VerQueryValueA(data.data(), path.c_str(), &value, &length) && length > 0 ? value : nullptr;
  };

  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query("\\"));
  ASSERT_NE(fixed, nullptr);
  EXPECT_TRUE(fixed->dwSignature == 0xFEEF04BDu && fixed->dwFileType == VFT_APP);
  const DWORD high = MAKELONG(HIVESWEEP_VERSION_MINOR, HIVESWEEP_VERSION_MAJOR);
  const DWORD low = MAKELONG(0, HIVESWEEP_VERSION_PATCH);
  EXPECT_THAT((std::vector<DWORD>{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                                  fixed->dwProductVersionLS}),
              ElementsAre(high, low, high, low));

  // The texts of the first language the file lists, as Explorer picks them.
  const auto* language = static_cast<const WORD*>(query("\\VarFileInfo\\Translation"));
  ASSERT_NE(language, nullptr);
  char block[64];
  wsprintfA(block, "\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
  std::vector<std::string> texts;
  for (const char* name : {"FileVersion", "ProductVersion", "ProductName", "CompanyName", "OriginalFilename",
                           "FileDescription", "LegalCopyright"}) {
    const auto* value = static_cast<const char*>(query(block + std::string(name)));
    texts.push_back(value ? value : "(missing)");
  }
  EXPECT_THAT(texts, ElementsAre(HIVESWEEP_VERSION, HIVESWEEP_VERSION, "Hivesweep", "Zentrova", "hivesweep.exe",
                                 HasSubstr("Hivesweep"), AllOf(StartsWith("Copyright (C) "), HasSubstr("Zentrova"))));

  // The version comes from a resource file of its own: the icon and the
  // manifest must still be in the executable beside it.
  HMODULE exe = LoadLibraryExA(HIVESWEEP_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(1), RT_MANIFEST), nullptr);
  EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(1), RT_GROUP_ICON), nullptr);
  FreeLibrary(exe);
}

}  // namespace
