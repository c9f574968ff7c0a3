// Reads one value line of a registry export back, the way the registry editor
// reads it: "@" or a quoted name (\\ \" \r \n escapes, no raw line break),
// "=", then dword: and eight digits, a quoted string (stored with its NUL),
// or hex: / hex(N): bytes, where "\" CR LF and two blanks may follow a comma.
// Anything else fails.
#pragma once

#include <cstdint>
#include <string>

namespace testsupport {

// UTF-16LE bytes of a text.
inline std::string Le(const std::u16string& units) {
  std::string bytes;
  for (const char16_t u : units) bytes += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
  return bytes;
}

struct ReadBack {
  bool ok = false;
  std::u16string name;
  std::uint32_t type = 0;
  std::string data;
};

inline ReadBack ReadValueLine(const std::u16string& line) {
  ReadBack value;
  std::size_t at = 0;
  const auto next = [&](const std::u16string& text) {
    const bool there = line.compare(at, text.size(), text) == 0;
    if (there) at += text.size();
    return there;
  };
  const auto hex = [&](std::uint32_t* number) {  // one lower-case digit
    const char16_t c = at < line.size() ? line[at] : u'\0';
    const int digit = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'a' && c <= u'f' ? c - u'a' + 10 : -1;
    if (digit < 0) return false;
    *number = *number << 4 | static_cast<std::uint32_t>(digit);
    ++at;
    return true;
  };
  const auto quoted = [&](std::u16string* text) {
    if (!next(u"\"")) return false;
    while (at < line.size()) {
      char16_t c = line[at++];
      if (c == u'"') return true;
      if (c == u'\r' || c == u'\n') return false;
      if (c == u'\\') {
        const char16_t e = at < line.size() ? line[at++] : u'\0';
        if (e != u'\\' && e != u'"' && e != u'r' && e != u'n') return false;
        c = e == u'r' ? u'\r' : e == u'n' ? u'\n' : e;
      }
      *text += c;
    }
    return false;
  };
  if ((!next(u"@") && !quoted(&value.name)) || !next(u"=")) return value;
  std::u16string text;
  std::uint32_t number = 0;
  if (next(u"dword:")) {
    for (int i = 0; i < 8; ++i) {
      if (!hex(&number)) return value;
    }
    value.type = 4;
    for (int i = 0; i < 4; ++i) value.data += static_cast<char>(number >> (8 * i) & 0xFF);
  } else if (quoted(&text)) {
    value.type = 1;
    value.data = Le(text + u'\0');
  } else {
    if (!next(u"hex")) return value;
    value.type = 3;
    if (next(u"(")) {
      if (!hex(&(value.type = 0))) return value;
      while (hex(&value.type)) {
      }
      if (!next(u")")) return value;
    }
    if (!next(u":")) return value;
    while (at < line.size()) {
      std::uint32_t byte = 0;
      if (!hex(&byte) || !hex(&byte)) return value;
      value.data += static_cast<char>(byte);
      if (at == line.size()) break;
      if (!next(u",")) return value;
      next(u"\\\r\n  ");
      if (at == line.size()) return value;  // no byte after the comma
    }
  }
  value.ok = at == line.size();
  return value;
}

}  // namespace testsupport
