// A registry export as the platform's registry editor writes it today
// ("Windows Registry Editor Version 5.00", UTF-16LE with a byte-order mark,
// CR LF line ends), every value typed so that an import recreates its type
// and its bytes exactly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace app {

struct ExportedValue {
  std::u16string keyPath;  // full path, the root's name first
  std::u16string name;     // empty: the key's default value
  std::uint32_t type = 0;
  std::string data;        // the bytes as stored
};

// False for a value no line of the format can hold: a key path with a line
// break or a NUL (it would end the key line early), a name with a NUL.
bool CanExport(const ExportedValue& value);

// The value's line: name field ("@" for the default value; backslash, quote,
// CR and LF escaped), "=", then the data: dword:xxxxxxxx for four-byte
// REG_DWORD data, a quoted string for REG_SZ data of even length that ends in
// its only NUL and holds no CR or LF, otherwise hex(N): bytes (hex: for
// REG_BINARY), wrapped with "\" at the registry editor's width. No line end.
std::u16string ExportValueLine(const ExportedValue& value);

// The whole file: byte-order mark, header, empty line, "; " and the comment
// and an empty line (when there is a comment), then for each value that
// can be exported its key line, its value line and an empty line.
std::string ExportFile(const std::string& asciiComment, const std::vector<ExportedValue>& values);

}  // namespace app
