// The exact backup's export imported by the platform's registry editor: every
// type and shape the writer handles comes back with its type and its bytes,
// read through the wide calls, and nothing else is added; the stamp line is
// taken as a comment. Shapes Wine's regedit imports wrongly (unterminated or
// odd-length string data, one-byte strings) are left to the native tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/registry_export.h"
#include "tests/support/program.h"
#include "tests/support/real_registry.h"
#include "tests/support/reg_export_reader.h"

namespace {

using namespace std::string_literals;
using testsupport::Le;

std::wstring W(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

struct Shape {
  std::u16string name;
  DWORD type;
  std::string data;
};

TEST(ExactImport, RegeditRecreatesEveryTypeAndShapeByteForByte) {
  testsupport::ScratchKey scratch;
  const std::string ansiKey = scratch.Path() + "\\Exact [x] \"key\"";
  const std::u16string key(ansiKey.begin(), ansiKey.end());
  std::string big(1 << 20, '\0');  // the registry's value limit
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 256);
  const std::vector<Shape> shapes = {
      {u"", REG_SZ, Le(u"C:\\default.exe\0"s)},
      {u"q\"b\\c", REG_SZ, Le(u"\"C:\\P F\\a.exe\" /run \\\"x\\\"\0"s)},
      {u"line\r\nbreak", REG_SZ, Le(u"a\r\nb\0"s)},
      {u"empty", REG_SZ, Le(u"\0"s)},
      {u"no bytes", REG_SZ, ""},
      {u"nul", REG_SZ, Le(u"a\0b\0"s)},
      {u"two nuls", REG_SZ, Le(u"a\0\0"s)},
      {u"\u540d\U0001F600", REG_SZ, Le(u"\u4e2d\U0001F600\0"s)},
      {u"expand", REG_EXPAND_SZ, Le(u"%SystemRoot%\\x.exe\0"s)},
      {u"multi", REG_MULTI_SZ, Le(u"one\0\u4e8c\0\0"s)},
      {u"dword", REG_DWORD, "\x78\x56\x34\x12"},
      {u"dword3", REG_DWORD, "\x01\x02\x03"},
      {u"dword0", REG_DWORD, ""},
      {u"binary", REG_BINARY, std::string(300, '\xC3')},
      {u"binary0", REG_BINARY, ""},
      {u"big", REG_BINARY, big},
      {u"qword", REG_QWORD, "\x01\x02\x03\x04\x05\x06\x07\x08"},
      {u"none", REG_NONE, "\x01\x02"},
      {u"none0", REG_NONE, ""},
      {u"odd type", 0x12345, "\xAA"},
  };
  std::vector<app::ExportedValue> values;
  for (const Shape& s : shapes) values.push_back({u"HKEY_CURRENT_USER\\" + key, s.name, s.type, s.data});
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof(folder), folder);
  const std::string file = std::string(folder) + "hivesweep-exact-" + std::to_string(GetCurrentProcessId()) + ".reg";
  std::ofstream(file, std::ios::binary) << app::ExportFile("Hivesweep exact backup; plain file: 0 bytes", values);

  testsupport::Program regedit("regedit.exe /s \"" + file + "\"");
  ASSERT_TRUE(regedit.WaitForExit(120000));
  DeleteFileA(file.c_str());

  HKEY opened = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, W(key).c_str(), 0, KEY_READ, &opened), ERROR_SUCCESS);
  for (const Shape& s : shapes) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(opened, W(s.name).c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      ADD_FAILURE() << "not imported: " << std::string(s.name.begin(), s.name.end());
      continue;
    }
    std::string data(size, '\0');
    RegQueryValueExW(opened, W(s.name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
    EXPECT_EQ(type, s.type) << std::string(s.name.begin(), s.name.end());
    EXPECT_TRUE(data == s.data) << std::string(s.name.begin(), s.name.end()) << ": " << size << " bytes";
  }
  RegCloseKey(opened);
  EXPECT_EQ(testsupport::TreeBelow(scratch.Path()).size(), 2 + shapes.size()) << "a key or value was added";
}

}  // namespace
