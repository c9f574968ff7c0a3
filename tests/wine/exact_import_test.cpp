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

struct Shape {
  std::string name;  // UTF-8
  DWORD type;
  std::string data;
};

TEST(ExactImport, RegeditRecreatesEveryTypeAndShapeByteForByte) {
  testsupport::ScratchKey scratch;
  const std::string key = scratch.Sub("Exact [x] \"key\"");
  std::string big(1 << 20, '\0');  // the registry's value limit
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 256);
  const std::vector<Shape> shapes = {
      {"", REG_SZ, Le(u"C:\\default.exe\0"s)},
      {"q\"b\\c", REG_SZ, Le(u"\"C:\\P F\\a.exe\" /run \\\"x\\\"\0"s)},
      {"line\r\nbreak", REG_SZ, Le(u"a\r\nb\0"s)},
      {"empty", REG_SZ, Le(u"\0"s)}, {"no bytes", REG_SZ, ""},
      {"nul", REG_SZ, Le(u"a\0b\0"s)}, {"two nuls", REG_SZ, Le(u"a\0\0"s)},
      {"\xE5\x90\x8D\xF0\x9F\x98\x80", REG_SZ, Le(u"\u4e2d\U0001F600\0"s)},  // 名😀
      {"expand", REG_EXPAND_SZ, Le(u"%SystemRoot%\\x.exe\0"s)},
      {"multi", REG_MULTI_SZ, Le(u"one\0\u4e8c\0\0"s)},
      {"dword", REG_DWORD, "\x78\x56\x34\x12"}, {"dword3", REG_DWORD, "\x01\x02\x03"}, {"dword0", REG_DWORD, ""},
      {"binary", REG_BINARY, std::string(300, '\xC3')}, {"binary0", REG_BINARY, ""}, {"big", REG_BINARY, big},
      {"qword", REG_QWORD, "\x01\x02\x03\x04\x05\x06\x07\x08"},
      {"none", REG_NONE, "\x01\x02"}, {"none0", REG_NONE, ""}, {"odd type", 0x12345, "\xAA"},
  };
  std::vector<app::ExportedValue> values;
  const auto utf16 = [](const std::string& utf8) {
    const std::wstring wide = testsupport::Wide(utf8);
    return std::u16string(wide.begin(), wide.end());
  };
  for (const Shape& s : shapes) values.push_back({utf16("HKEY_CURRENT_USER\\" + key), utf16(s.name), s.type, s.data});
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof(folder), folder);
  const std::string file = std::string(folder) + "hivesweep-exact-" + std::to_string(GetCurrentProcessId()) + ".reg";
  std::ofstream(file, std::ios::binary) << app::ExportFile("Hivesweep exact backup; plain file: 0 bytes", values);

  testsupport::Program regedit("regedit.exe /s \"" + file + "\"");
  ASSERT_TRUE(regedit.WaitForExit(120000));
  DeleteFileA(file.c_str());
  for (const Shape& s : shapes) {
    const testsupport::StoredValue v = testsupport::ReadValue(key, s.name);
    EXPECT_TRUE(v.found && v.type == s.type && v.raw == s.data) << s.name << ": " << v.raw.size() << " bytes";
  }
  EXPECT_EQ(testsupport::TreeBelow(scratch.Path()).size(), 2 + shapes.size()) << "a key or value was added";
}

}  // namespace
