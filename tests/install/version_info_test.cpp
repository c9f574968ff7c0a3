// The version information of the built executable, read back as Windows
// shows it in the file's properties.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class VersionInfo {
 public:
  explicit VersionInfo(const char* file) {
    DWORD ignored = 0;
    data_.resize(GetFileVersionInfoSizeA(file, &ignored));
    if (!data_.empty() && !GetFileVersionInfoA(file, 0, static_cast<DWORD>(data_.size()), data_.data())) data_.clear();
  }
  bool Read() const { return !data_.empty(); }
  template <typename T>
  const T* Query(const std::string& path) const {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data_.data(), path.c_str(), &value, &length) || length == 0) return nullptr;
    return static_cast<const T*>(value);
  }
  // A string of the first language the file lists, as Explorer picks it.
  std::string String(const std::string& name) const {
    const auto* language = Query<WORD>("\\VarFileInfo\\Translation");
    if (!language) return "(no translation)";
    char path[64];
    wsprintfA(path, "\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
    const char* text = Query<char>(path + name);
    return text ? text : "(missing)";
  }

 private:
  std::vector<char> data_;
};

TEST(VersionInfoTest, NumbersAndTextsComeFromTheProject) {
  const VersionInfo info(HIVESWEEP_EXE);
  ASSERT_TRUE(info.Read()) << HIVESWEEP_EXE;
  const auto* fixed = info.Query<VS_FIXEDFILEINFO>("\\");
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const DWORD high = MAKELONG(HIVESWEEP_VERSION_MINOR, HIVESWEEP_VERSION_MAJOR);
  const DWORD low = MAKELONG(0, HIVESWEEP_VERSION_PATCH);
  EXPECT_EQ(fixed->dwFileVersionMS, high);
  EXPECT_EQ(fixed->dwFileVersionLS, low);
  EXPECT_EQ(fixed->dwProductVersionMS, high);
  EXPECT_EQ(fixed->dwProductVersionLS, low);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  EXPECT_EQ(info.String("FileVersion"), HIVESWEEP_VERSION);
  EXPECT_EQ(info.String("ProductVersion"), HIVESWEEP_VERSION);
  EXPECT_EQ(info.String("ProductName"), "Hivesweep");
  EXPECT_EQ(info.String("CompanyName"), "Zentrova");
  EXPECT_EQ(info.String("OriginalFilename"), "hivesweep.exe");
  EXPECT_NE(info.String("FileDescription").find("Hivesweep"), std::string::npos);
  EXPECT_EQ(info.String("LegalCopyright").rfind("Copyright (C) ", 0), 0u) << info.String("LegalCopyright");
  EXPECT_NE(info.String("LegalCopyright").find("Zentrova"), std::string::npos);
}

// The version comes from a resource file of its own: the others (icon,
// manifest) must still be in the executable beside it.
TEST(VersionInfoTest, OtherResourcesStayBesideIt) {
  HMODULE exe = LoadLibraryExA(HIVESWEEP_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(1), RT_MANIFEST), nullptr) << "manifest";
  EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(1), RT_VERSION), nullptr) << "version";
  int iconGroups = 0;
  EnumResourceNamesA(exe, RT_GROUP_ICON, [](HMODULE, LPCSTR, LPSTR, LONG_PTR count) -> BOOL {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
  }, reinterpret_cast<LONG_PTR>(&iconGroups));
  EXPECT_GE(iconGroups, 6);
  FreeLibrary(exe);
}

}  // namespace
