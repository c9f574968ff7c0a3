// ValueToText on arbitrary data of any type, against a plain formatting of
// each form: strings are the data up to the first NUL, binary data upper-case
// hex pairs separated by one blank, a DWORD 0x, eight upper-case hex digits
// and the same number in signed decimal in parentheses (missing bytes zero),
// and every other type "Temporarily unsupported".
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/registry_access.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the type: the eight the program knows, or (from 8
  // on) a larger number made of it.
  const std::uint32_t type = bytes[0] < 8 ? bytes[0] : static_cast<std::uint32_t>(bytes[0]) * 0x01010101u;
  const std::string data(reinterpret_cast<const char*>(bytes + 1), size - 1);
  std::string expected = "Temporarily unsupported";
  char text[32];
  if (type == 1 || type == 7) expected = data.substr(0, data.find('\0'));
  if (type == 3) {
    expected.clear();
    for (std::size_t i = 0; i < data.size(); ++i) {
      std::snprintf(text, sizeof(text), i == 0 ? "%02X" : " %02X", static_cast<unsigned char>(data[i]));
      expected += text;
    }
  }
  if (type == 4) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4 && i < data.size(); ++i) bits |= static_cast<std::uint32_t>(bytes[1 + i]) << (8 * i);
    std::snprintf(text, sizeof(text), "0x%08X(%ld)", static_cast<unsigned>(bits),
                  static_cast<long>(static_cast<std::int32_t>(bits)));
    expected = text;
  }
  const std::string actual = engine::ValueToText(type, data);
  if (actual != expected) {
    std::fprintf(stderr, "ValueToText of type %u: \"%s\", expected \"%s\"\n", type, actual.c_str(), expected.c_str());
    std::abort();
  }
  return 0;
}
