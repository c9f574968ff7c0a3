// ValueToText on arbitrary data of any type: strings are the data up to the
// first NUL, binary data reads back byte for byte from its hex pairs, a DWORD
// is always 0x, eight upper-case hex digits and the same number in signed
// decimal in parentheses, and every other type is "Temporarily unsupported".
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/registry_access.h"

namespace {

void Fail(const char* what, std::uint32_t type, const std::string& text) {
  std::fprintf(stderr, "ValueToText property broken for type %u: %s\n  text \"%s\"\n", type, what, text.c_str());
  std::abort();
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;  // lower case is not the display form either
}

void CheckDword(const std::string& data, const std::string& text) {
  // 0x, eight digits, "(", an optional minus, 1 to 10 digits, ")".
  if (text.size() < 13 || text.compare(0, 2, "0x") != 0 || text[10] != '(' || text.back() != ')') {
    Fail("not of the shape 0x########(n)", 4, text);
  }
  std::uint32_t bits = 0;
  for (int i = 2; i < 10; ++i) {
    const int d = HexDigit(text[i]);
    if (d < 0) Fail("not an upper-case hex digit", 4, text);
    bits = bits << 4 | static_cast<std::uint32_t>(d);
  }
  std::size_t at = 11;
  const bool negative = text[at] == '-';
  if (negative) ++at;
  const std::size_t digits = text.size() - 1 - at;
  if (digits < 1 || digits > 10) Fail("decimal part of the wrong length", 4, text);
  if (digits > 1 && text[at] == '0') Fail("decimal with a leading zero", 4, text);
  std::int64_t magnitude = 0;
  for (std::size_t i = at; i < text.size() - 1; ++i) {
    if (text[i] < '0' || text[i] > '9') Fail("not a decimal digit", 4, text);
    magnitude = magnitude * 10 + (text[i] - '0');
  }
  if (negative && magnitude == 0) Fail("minus zero", 4, text);
  const std::int64_t decimal = negative ? -magnitude : magnitude;
  if (decimal != static_cast<std::int32_t>(bits)) Fail("hex and decimal disagree", 4, text);
  // The number is the first four data bytes, little-endian, missing ones zero.
  std::uint32_t expected = 0;
  for (std::size_t i = 0; i < 4 && i < data.size(); ++i) {
    expected |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  }
  if (bits != expected) Fail("not the value of the data", 4, text);
}

void CheckBinary(const std::string& data, const std::string& text) {
  if (data.empty()) {
    if (!text.empty()) Fail("text for no data", 3, text);
    return;
  }
  if (text.size() != data.size() * 3 - 1) Fail("not one pair and one blank per byte", 3, text);
  for (std::size_t i = 0; i < data.size(); ++i) {
    const int hi = HexDigit(text[i * 3]);
    const int lo = HexDigit(text[i * 3 + 1]);
    if (hi < 0 || lo < 0) Fail("not an upper-case hex pair", 3, text);
    if (static_cast<unsigned char>(data[i]) != (hi << 4 | lo)) Fail("pair does not read back as its byte", 3, text);
    if (i + 1 < data.size() && text[i * 3 + 2] != ' ') Fail("pairs not separated by one blank", 3, text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the type: the eight the program knows, or (from 8
  // on) a larger number made of it.
  const std::uint32_t type = bytes[0] < 8 ? bytes[0] : static_cast<std::uint32_t>(bytes[0]) * 0x01010101u;
  const std::string data(reinterpret_cast<const char*>(bytes + 1), size - 1);
  const std::string text = engine::ValueToText(type, data);

  switch (type) {
    case 1:
    case 7: {
      const std::size_t nul = data.find('\0');
      if (text != data.substr(0, nul)) Fail("not the data up to its first NUL", type, text);
      break;
    }
    case 3:
      CheckBinary(data, text);
      break;
    case 4:
      CheckDword(data, text);
      break;
    default:
      if (text != "Temporarily unsupported") Fail("an unsupported type has a text of its own", type, text);
  }
  return 0;
}
