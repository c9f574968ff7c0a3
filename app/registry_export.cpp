#include "app/registry_export.h"

namespace app {
namespace {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
// The registry editor breaks a hex line after the comma that brings it to
// this many characters, and goes on after two blanks.
constexpr std::size_t kHexLineBreak = 77;

const char16_t kDigits[] = u"0123456789abcdef";

void AppendAscii(std::u16string* text, const char* ascii) {
  for (; *ascii != '\0'; ++ascii) *text += static_cast<char16_t>(*ascii);
}

void AppendHex(std::u16string* text, std::uint32_t number, int minDigits) {
  char16_t digits[8];
  int count = 0;
  do {
    digits[count++] = kDigits[number & 0xF];
    number >>= 4;
  } while (number != 0 || count < minDigits);
  while (count > 0) *text += digits[--count];
}

// Quoted, with the characters the format reads as escapes or line ends escaped.
void AppendQuoted(std::u16string* text, const std::u16string& raw) {
  *text += u'"';
  for (const char16_t c : raw) {
    if (c == u'\\' || c == u'"') {
      *text += u'\\';
      *text += c;
    } else if (c == u'\r') {
      *text += u"\\r";
    } else if (c == u'\n') {
      *text += u"\\n";
    } else {
      *text += c;
    }
  }
  *text += u'"';
}

// The data's UTF-16 units when it reads back from a quoted string exactly.
bool AsQuotedString(const std::string& data, std::u16string* units) {
  if (data.size() < 2 || data.size() % 2 != 0) return false;
  units->clear();
  for (std::size_t i = 0; i + 2 < data.size(); i += 2) {
    const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(data[i]) |
                                                static_cast<unsigned char>(data[i + 1]) << 8);
    if (unit == u'\0' || unit == u'\r' || unit == u'\n') return false;
    *units += unit;
  }
  return data[data.size() - 2] == '\0' && data[data.size() - 1] == '\0';
}

void AppendHexBytes(std::u16string* line, const std::string& data) {
  std::size_t lineLength = line->size();
  for (std::size_t i = 0; i < data.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(data[i]);
    *line += kDigits[byte >> 4];
    *line += kDigits[byte & 0xF];
    if (i + 1 == data.size()) break;
    *line += u',';
    lineLength += 3;
    if (lineLength >= kHexLineBreak) {
      *line += u"\\\r\n  ";
      lineLength = 2;
    }
  }
}

bool HoldsAny(const std::u16string& text, const std::u16string& characters) {
  return text.find_first_of(characters) != std::u16string::npos;
}

}  // namespace

bool CanExport(const ExportedValue& value) {
  return !HoldsAny(value.keyPath, std::u16string(u"\r\n\0", 3)) && !HoldsAny(value.name, std::u16string(1, u'\0'));
}

std::u16string ExportValueLine(const ExportedValue& value) {
  std::u16string line;
  if (value.name.empty()) {
    line += u'@';
  } else {
    AppendQuoted(&line, value.name);
  }
  line += u'=';
  std::u16string text;
  if (value.type == kRegDword && value.data.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(value.data[i]);
    AppendAscii(&line, "dword:");
    AppendHex(&line, number, 8);
  } else if (value.type == kRegSz && AsQuotedString(value.data, &text)) {
    AppendQuoted(&line, text);
  } else {
    AppendAscii(&line, "hex");
    if (value.type != kRegBinary) {
      line += u'(';
      AppendHex(&line, value.type, 1);
      line += u')';
    }
    line += u':';
    AppendHexBytes(&line, value.data);
  }
  return line;
}

std::string ExportFile(const std::string& asciiComment, const std::vector<ExportedValue>& values) {
  std::u16string text = u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n";
  if (!asciiComment.empty()) {
    text += u"; ";
    AppendAscii(&text, asciiComment.c_str());
    text += u"\r\n\r\n";
  }
  for (const ExportedValue& value : values) {
    if (!CanExport(value)) continue;
    text += u'[';
    text += value.keyPath;
    text += u"]\r\n";
    text += ExportValueLine(value);
    text += u"\r\n\r\n";
  }
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace app
