// libFuzzer target: every 8-byte input is a double's bit pattern, rendered
// by the module and by the independent reference; any difference aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lift/status_number.h"
#include "reference_rendering.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 8) return 0;
  double value;
  std::memcpy(&value, data, sizeof value);
  char out[16];
  const std::string mine(out, FormatStatusNumber(value, out));
  const std::string expected = reference::Render(value);
  if (mine != expected) {
    std::fprintf(stderr, "mismatch for %a: module \"%s\", reference \"%s\"\n", value, mine.c_str(),
                 expected.c_str());
    std::abort();
  }
  return 0;
}
