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

void Fail(const char* what) {
  std::fprintf(stderr, "registry export property broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  app::ExportedValue value;
  value.type = provider.ConsumeBool() ? provider.ConsumeIntegralInRange<std::uint32_t>(0, 12)
                                      : provider.ConsumeIntegral<std::uint32_t>();
  value.name = Units(provider.ConsumeRandomLengthString(128));
  value.data = provider.ConsumeRemainingBytesAsString();

  const std::u16string line = app::ExportValueLine(value);
  const testsupport::ReadBack back = testsupport::ReadValueLine(line);
  if (!back.ok) Fail("the line does not read back");
  if (back.name != value.name) Fail("the name reads back otherwise");
  if (back.type != value.type) Fail("the type reads back otherwise");
  if (back.data != value.data) Fail("the data reads back otherwise");
  return 0;
}
