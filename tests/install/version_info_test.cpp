// The version information of the built executable, read back as Windows
// shows it in the file's properties.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

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
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const DWORD high = MAKELONG(HIVESWEEP_VERSION_MINOR, HIVESWEEP_VERSION_MAJOR);
  const DWORD low = MAKELONG(0, HIVESWEEP_VERSION_PATCH);
  EXPECT_EQ(fixed->dwFileVersionMS, high);
  EXPECT_EQ(fixed->dwFileVersionLS, low);
  EXPECT_EQ(fixed->dwProductVersionMS, high);
  EXPECT_EQ(fixed->dwProductVersionLS, low);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  // The texts of the first language the file lists, as Explorer picks them.
  const auto* language = static_cast<const WORD*>(query("\\VarFileInfo\\Translation"));
  ASSERT_NE(language, nullptr);
  char block[64];
  wsprintfA(block, "\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
  auto text = [&](const char* name) {
    const auto* value = static_cast<const char*>(query(block + std::string(name)));
    return std::string(value ? value : "(missing)");
  };
  EXPECT_EQ(text("FileVersion"), HIVESWEEP_VERSION);
  EXPECT_EQ(text("ProductVersion"), HIVESWEEP_VERSION);
  EXPECT_EQ(text("ProductName"), "Hivesweep");
  EXPECT_EQ(text("CompanyName"), "Zentrova");
  EXPECT_EQ(text("OriginalFilename"), "hivesweep.exe");
  EXPECT_NE(text("FileDescription").find("Hivesweep"), std::string::npos);
  EXPECT_EQ(text("LegalCopyright").rfind("Copyright (C) ", 0), 0u) << text("LegalCopyright");
  EXPECT_NE(text("LegalCopyright").find("Zentrova"), std::string::npos);
}

// The version comes from a resource file of its own: the icon and the
// manifest must still be in the executable beside it.
TEST(VersionInfoTest, OtherResourcesStayBesideIt) {
  HMODULE exe = LoadLibraryExA(HIVESWEEP_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(1), RT_MANIFEST), nullptr);
  EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(1), RT_GROUP_ICON), nullptr);
  FreeLibrary(exe);
}

}  // namespace
