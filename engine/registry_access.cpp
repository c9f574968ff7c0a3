#include "engine/registry_access.h"

#include <cstring>

#include "engine/ansi_chars.h"

namespace engine {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string BinaryText(const std::string& data) {
  if (data.empty()) return std::string();
  // Every byte is two digits and a blank; the last blank is dropped.
  std::string text(data.size() * 3 - 1, ' ');
  char* out = &text[0];
  for (std::size_t i = 0; i < data.size(); ++i, out += 3) {
    const auto b = static_cast<unsigned char>(data[i]);
    out[0] = kHexDigits[b >> 4];
    out[1] = kHexDigits[b & 0x0F];
  }
  return text;
}

// Missing bytes of DWORD data shorter than four bytes count as zero.
std::string DwordText(const std::string& data) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4 && i < data.size(); ++i) {
    bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  }
  // "0x", eight digits, "(", at most eleven characters of signed decimal, ")".
  char text[2 + 8 + 1 + 11 + 1];
  char* out = text;
  *out++ = '0';
  *out++ = 'x';
  for (int shift = 28; shift >= 0; shift -= 4) *out++ = kHexDigits[(bits >> shift) & 0x0F];
  *out++ = '(';
  const auto signedValue = static_cast<std::int32_t>(bits);
  // The magnitude in 64 bits, so that the most negative value has one too.
  std::int64_t magnitude = signedValue;
  if (magnitude < 0) {
    *out++ = '-';
    magnitude = -magnitude;
  }
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0) *out++ = digits[--count];
  *out++ = ')';
  return std::string(text, static_cast<std::size_t>(out - text));
}

// True when some component of a non-empty key path is empty: such a path
// (a value name with a leading backslash split off, say) cannot name the key
// it seems to, and the platform would open a different one. `marks` is the
// path with its trail bytes masked, or the path itself.
bool HasEmptyComponent(std::string_view marks) {
  if (marks.empty()) return false;
  return marks.front() == '\\' || marks.back() == '\\' || marks.find("\\\\") != std::string_view::npos;
}

}  // namespace

std::string TrimAtNull(const std::string& text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string::npos ? text : std::string(text.data(), nul);
}

std::string ValueToText(std::uint32_t type, const std::string& data) {
  switch (type) {
    case platform::reg_type::kSz:
    case platform::reg_type::kMultiSz:
      return TrimAtNull(data);
    case platform::reg_type::kBinary:
      return BinaryText(data);
    case platform::reg_type::kDword:
      return DwordText(data);
    default:
      return "Temporarily unsupported";
  }
}

platform::RegHandle RegistryAccess::OpenForReading(RootHandle root, const std::string& keyPath) {
  platform::RegHandle key = 0;
  if (registry_.OpenKeyEx(root, keyPath.c_str(), 0, kKeyReadAccess, &key) != platform::reg_result::kSuccess) {
    return 0;
  }
  return key;
}

void RegistryAccess::Close(platform::RegHandle key) { registry_.CloseKey(key); }

bool RegistryAccess::EnumKey(platform::RegHandle key, std::uint32_t index, std::string* name) {
  char buffer[kNameBufferChars] = {};
  if (registry_.EnumKey(key, index, buffer, kNameBufferChars) != platform::reg_result::kSuccess) {
    return false;
  }
  buffer[kNameBufferChars - 1] = '\0';
  name->assign(buffer);  // stops at the first NUL
  return true;
}

long RegistryAccess::EnumValue(platform::RegHandle key, std::uint32_t index, EnumeratedValue* value) {
  char name[kNameBufferChars] = {};
  std::uint32_t nameLength = kNameBufferChars;
  // Zero-filled before every read, so bytes past the returned length never
  // carry an earlier value's data.
  dataBuffer_.assign(kDataBufferBytes, '\0');
  std::uint32_t dataLength = kDataBufferBytes;
  std::uint32_t type = 0;
  const long result = registry_.EnumValue(key, index, name, &nameLength, &type,
                                          reinterpret_cast<unsigned char*>(&dataBuffer_[0]), &dataLength);
  if (result != platform::reg_result::kSuccess) return result;
  name[kNameBufferChars - 1] = '\0';
  value->name.assign(name);
  value->type = type;
  if (dataLength < 1) dataLength = 1;
  if (dataLength > kDataBufferBytes) dataLength = kDataBufferBytes;
  value->data.assign(dataBuffer_.data(), dataLength);
  return platform::reg_result::kSuccess;
}

void RegistryAccess::DeleteRegistryValue(RootHandle root, const std::string& keyPath,
                                         const std::string& valueName) {
  // Creating the key to delete from it would add keys to the registry when
  // the key is absent; test first that it exists.
  if (HasEmptyComponent(codePage_.HasLeadBytes() ? MaskTrailBytes(keyPath, codePage_) : keyPath)) return;
  const platform::RegHandle probe = OpenForReading(root, keyPath);
  if (probe == 0) return;
  registry_.CloseKey(probe);

  platform::RegHandle key = 0;
  registry_.CreateKey(root, keyPath.c_str(), &key);
  registry_.DeleteValue(key, valueName.c_str());
  registry_.CloseKey(key);
}

void RegistryAccess::DeleteValueAtPath(RootHandle root, const std::string& subPath) {
  const std::size_t lastSlash = LastBackslash(subPath, codePage_);
  if (lastSlash == std::string::npos) {
    DeleteRegistryValue(root, std::string(), subPath);
  } else {
    DeleteRegistryValue(root, subPath.substr(0, lastSlash), subPath.substr(lastSlash + 1));
  }
}

}  // namespace engine
