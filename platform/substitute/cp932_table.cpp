#include "platform/substitute/cp932_table.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace platform {
namespace {

#ifdef _WIN32

class Converter {
 public:
  // The one character `count` bytes stand for; 0 when they stand for none.
  char32_t ToChar(const char* in, int count) {
    wchar_t wide[2] = {};
    return MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, in, count, wide, 2) == 1 ? wide[0] : 0;
  }
  // The bytes of one character; empty when the code page cannot hold it.
  std::string ToBytes(char32_t c) {
    const wchar_t wide = static_cast<wchar_t>(c);
    char out[4] = {};
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, out, 4, nullptr, &usedDefault);
    return n > 0 && !usedDefault ? std::string(out, static_cast<std::size_t>(n)) : std::string();
  }
};

#else

class Converter {
 public:
  Converter() : toChar_(iconv_open("UTF-32LE", "CP932")), toBytes_(iconv_open("CP932", "UTF-32LE")) {}
  ~Converter() {
    if (toChar_ != Invalid()) iconv_close(toChar_);
    if (toBytes_ != Invalid()) iconv_close(toBytes_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  char32_t ToChar(const char* in, int count) {
    unsigned char out[8] = {};
    if (Convert(toChar_, std::string(in, static_cast<std::size_t>(count)), out, sizeof(out)) != 4) return 0;
    return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24);
  }
  std::string ToBytes(char32_t c) {
    const std::string in{static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
                         static_cast<char>((c >> 16) & 0xFF), static_cast<char>(c >> 24)};
    unsigned char out[8] = {};
    const std::size_t n = Convert(toBytes_, in, out, sizeof(out));
    return n == 0 ? std::string() : std::string(reinterpret_cast<char*>(out), n);
  }

 private:
  static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }
  // Bytes written for the whole of `in`; 0 when it does not convert whole.
  static std::size_t Convert(iconv_t cd, std::string in, unsigned char* out, std::size_t outSize) {
    if (cd == Invalid()) return 0;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = &in[0];
    std::size_t inLeft = in.size();
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t outLeft = outSize;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) return 0;
    return outSize - outLeft;
  }

  iconv_t toChar_;
  iconv_t toBytes_;
};

#endif

Cp932Table Build() {
  Converter convert;
  Cp932Table table;
  table.pairs.assign(256 * 256, kCp932Undefined);
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    if (Cp932Table::IsLeadByte(static_cast<unsigned char>(b))) {
      table.singles[b] = kCp932Undefined;
      for (int trail = 1; trail < 256; ++trail) {
        const char pair[2] = {byte, static_cast<char>(trail)};
        const char32_t c = convert.ToChar(pair, 2);
        if (c != 0) table.pairs[b * 256 + trail] = c;
      }
    } else {
      const char32_t c = b < 0x80 ? static_cast<char32_t>(b) : convert.ToChar(&byte, 1);
      table.singles[b] = b == 0 || c != 0 ? c : kCp932Undefined;
    }
  }
  // The bytes of each character, as the code page writes it: a character some
  // pairs share (the NEC and IBM rows) gets the pair the conversion chooses.
  const auto addBytesOf = [&](char32_t c) {
    if (c < 0x80 || table.bytes.count(c) != 0) return;
    const std::string bytes = convert.ToBytes(c);
    if (bytes.size() == 1) table.bytes[c] = static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 2) {
      table.bytes[c] = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                                  static_cast<unsigned char>(bytes[1]));
    }
  };
  for (char32_t c : table.singles) addBytesOf(c);
  for (char32_t c : table.pairs) addBytesOf(c);
  return table;
}

}  // namespace

const Cp932Table& LoadCp932() {
  static const Cp932Table table = Build();
  return table;
}

}  // namespace platform
