// The exact backup's value lines for arbitrary names, types and data read
// back, by the registry editor's rules, to exactly the name, type and bytes
// they were written from; no line break appears outside a hex continuation.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/registry_export.h"
#include "tests/support/reg_export_reader.h"

namespace {

std::u16string Units(const std::string& bytes) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  app::ExportedValue value;
  value.type = provider.ConsumeBool() ? provider.ConsumeIntegralInRange<std::uint32_t>(0, 12)
                                      : provider.ConsumeIntegral<std::uint32_t>();
  value.name = Units(provider.ConsumeRandomLengthString(128));
  value.data = provider.ConsumeRemainingBytesAsString();

  const testsupport::ReadBack back = testsupport::ReadValueLine(app::ExportValueLine(value));
  if (!back.ok || back.name != value.name || back.type != value.type || back.data != value.data) {
    std::fprintf(stderr, "an exported value line of type %u does not read back to its name, type and data\n",
                 static_cast<unsigned>(value.type));
    std::abort();
  }
  return 0;
}
