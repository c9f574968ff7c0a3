// Reads one value line of a registry export back, the way the registry editor
// reads it: "@" or a quoted name (\\ \" \r \n escapes), "=", then dword:
// and eight digits, a quoted string (stored with its NUL), or hex: / hex(N):
// bytes, where "\" CR LF and two blanks may follow a comma. Anything else
// fails.
#pragma once

#include <cstdint>
#include <string>

namespace testsupport {

struct ReadBack {
  bool ok = false;
  std::u16string name;
  std::uint32_t type = 0;
  std::string data;
};

inline ReadBack ReadValueLine(const std::u16string& line) {
  ReadBack value;
  std::size_t at = 0;
  const auto next = [&](char16_t c) {
    if (at >= line.size() || line[at] != c) return false;
    ++at;
    return true;
  };
  const auto hexDigit = [&](std::uint32_t* number) {
    const char16_t c = at < line.size() ? line[at] : u'\0';
    const int digit = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'a' && c <= u'f' ? c - u'a' + 10 : -1;
    if (digit < 0) return false;
    *number = *number << 4 | static_cast<std::uint32_t>(digit);
    ++at;
    return true;
  };
  const auto quoted = [&](std::u16string* text) {
    if (!next(u'"')) return false;
    while (at < line.size() && line[at] != u'"') {
      char16_t c = line[at++];
      if (c == u'\r' || c == u'\n') return false;  // a line break ends the line
      if (c == u'\\' && at < line.size()) {
        c = line[at++];
        if (c == u'r' || c == u'n') c = c == u'r' ? u'\r' : u'\n';
        else if (c != u'\\' && c != u'"') return false;
      }
      *text += c;
    }
    return next(u'"');
  };
  if (!next(u'@') && !quoted(&value.name)) return value;
  if (!next(u'=')) return value;
  std::u16string text;
  if (line.compare(at, 6, u"dword:") == 0) {
    at += 6;
    std::uint32_t number = 0;
    for (int i = 0; i < 8; ++i) {
      if (!hexDigit(&number)) return value;
    }
    value.type = 4;
    for (int i = 0; i < 4; ++i) value.data += static_cast<char>(number >> (8 * i) & 0xFF);
  } else if (quoted(&text)) {
    value.type = 1;
    for (const char16_t unit : text + u'\0') value.data += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  } else {
    if (line.compare(at, 3, u"hex") != 0) return value;
    at += 3;
    value.type = 3;
    if (next(u'(')) {
      value.type = 0;
      while (hexDigit(&value.type)) {
      }
      if (!next(u')')) return value;
    }
    if (!next(u':')) return value;
    while (at < line.size()) {
      std::uint32_t byte = 0;
      if (!hexDigit(&byte) || !hexDigit(&byte)) return value;
      value.data += static_cast<char>(byte);
      if (at == line.size()) break;
      if (!next(u',')) return value;
      if (line.compare(at, 5, u"\\\r\n  ") == 0) at += 5;
      if (at == line.size()) return value;  // no byte after the comma
    }
  }
  value.ok = at == line.size();
  return value;
}

}  // namespace testsupport
