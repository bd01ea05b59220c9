// The status line goes straight into the host's buffer: labels and
// numbers are written in place, one after the other, and one zero byte
// ends the line. Nothing behind that zero is touched.
#include "lift/status_line.h"

#include "host/orbiter_api.h"
#include "lift/status_number.h"

namespace {

char *Put(char *at, const char *text) {
  while (*text != '\0') *at++ = *text++;
  return at;
}

char *PutNumber(char *at, double value) { return at + FormatStatusNumber(value, at); }

}  // namespace

void WriteStatusLine(double mass, double size, double volume, double meanDensity, double lift) {
  // Fetched anew for every line: the host may move its buffer.
  char *at = oapiDebugString();
  at = PutNumber(Put(at, "MASS:"), mass);
  at = PutNumber(Put(at, " kg MEAN:"), size);
  at = PutNumber(Put(at, " m VOL:"), volume);
  at = PutNumber(Put(at, " m3 DENS:"), meanDensity);
  at = PutNumber(Put(at, " kg/m3 LIFT:"), lift);
  at = Put(at, " N");
  *at = '\0';
}
