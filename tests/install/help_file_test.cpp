// The compiled help file as Windows reads it: through the InfoTech storage
// (itss.dll), the reader behind the help viewer.
#include <windows.h>
#include <objbase.h>
#include <objidl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

// The InfoTech storage interface, up to the method used (itss.dll has no
// MinGW header). Outside the anonymous namespace: the compiler must not
// conclude that no object of it can exist.
struct IITStorage : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};

namespace {

const CLSID kClsidITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kIidITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

// The contents tree lists the topics a user needs, each page is in the file
// with the title the tree shows, and every picture a page shows is there too.
TEST(HelpFileTest, ContentsListTheTopicsAndEveryPageIsThere) {
  CoInitialize(nullptr);
  IITStorage* itss = nullptr;
  ASSERT_EQ(CoCreateInstance(kClsidITStorage, nullptr, CLSCTX_INPROC_SERVER, kIidITStorage,
                             reinterpret_cast<void**>(&itss)),
            S_OK);
  wchar_t path[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, HIVESWEEP_HELP, -1, path, MAX_PATH);
  IStorage* chm = nullptr;
  const DWORD mode = STGM_READ | STGM_SHARE_DENY_WRITE;
  ASSERT_EQ(itss->StgOpenStorage(path, nullptr, mode, nullptr, 0, &chm), S_OK) << HIVESWEEP_HELP;
  // A file of the CHM by its path ("images/a.png"); empty when it is missing.
  auto read = [chm](const std::string& file) {
    std::string bytes;
    IStream* stream = nullptr;
    const std::wstring name(file.begin(), file.end());
    if (chm->OpenStream(name.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream) != S_OK) return bytes;
    char buffer[4096];
    for (ULONG got = 0; stream->Read(buffer, sizeof(buffer), &got) == S_OK && got > 0;) bytes.append(buffer, got);
    stream->Release();
    return bytes;
  };

  const std::string contents = read("ZTV.hhc");
  ASSERT_FALSE(contents.empty());
  std::vector<std::string> names, pages;
  const std::regex entry(R"re(name="Name" value="([^"]*)">\s*<param name="Local" value="([^"]*)")re");
  for (std::sregex_iterator i(contents.begin(), contents.end(), entry), end; i != end; ++i) {
    names.push_back((*i)[1]), pages.push_back((*i)[2]);
  }
  EXPECT_THAT(names, ::testing::ElementsAre("What Hivesweep finds and why", "Scanning and stopping",
                                            "Choosing what to repair", "What Delete does", "The Undo Center",
                                            "What is safe to repair"));
  int pictures = 0;
  for (std::size_t t = 0; t < pages.size(); ++t) {
    const std::string html = read(pages[t]);
    EXPECT_NE(html.find("<title>" + names[t] + "</title>"), std::string::npos) << pages[t];
    const std::regex image(R"re(<img src="([^"]+)")re");
    for (std::sregex_iterator i(html.begin(), html.end(), image), end; i != end; ++i, ++pictures) {
      EXPECT_EQ(read((*i)[1]).rfind("\x89PNG", 0), 0u) << (*i)[1] << " in " << pages[t];
    }
  }
  EXPECT_GE(pictures, 3);
  chm->Release();
  itss->Release();
  CoUninitialize();
}

}  // namespace
