#include "hostsim/call_trace.h"

#include "hostsim/number_text.h"

namespace {

// Numbers in the trace are exact: hex-float, as in the CSV output.
void PrintVector(FILE *out, const VECTOR3 &v) {
  char x[32], y[32], z[32];
  FormatHexDouble(v.x, x);
  FormatHexDouble(v.y, y);
  FormatHexDouble(v.z, z);
  fprintf(out, "(%s, %s, %s)", x, y, z);
}

}  // namespace

void PrintCallTrace(FILE *out, const HostCall *calls, unsigned count) {
  for (unsigned i = 0; i < count; ++i) {
    const HostCall &c = calls[i];
    char number[32];
    FormatHexDouble(c.answer, number);
    fprintf(out, "trace: %s", HostCallName(c.kind));
    switch (c.kind) {
      case CALL_GET_VESSEL_COUNT: fprintf(out, "() -> %u", static_cast<unsigned>(c.answer)); break;
      case CALL_GET_VESSEL_BY_INDEX: fprintf(out, "(%d) -> handle %p", c.vessel, c.handle); break;
      case CALL_GET_VESSEL_INTERFACE:
        fprintf(out, "(vessel %d) -> interface %p", c.vessel, c.handle);
        break;
      case CALL_GET_SURFACE_REF:
        fprintf(out, "() [vessel %d] -> body %p", c.vessel, c.handle);
        break;
      case CALL_OAPI_GET_MASS:
      case CALL_OAPI_GET_SIZE: fprintf(out, "(body %p) -> %s", c.handle, number); break;
      case CALL_ADD_FORCE:
        fprintf(out, "(F=");
        PrintVector(out, c.force);
        fprintf(out, ", r=");
        PrintVector(out, c.point);
        fprintf(out, ") [vessel %d]", c.vessel);
        break;
      case CALL_DEBUG_STRING: fprintf(out, "() -> buffer %p", c.handle); break;
      case CALL_INIT_LIB:
      case CALL_EXIT_HOOK: fprintf(out, "(module %p)", c.handle); break;
      case CALL_GET_PROC_ADDRESS: fprintf(out, "(module %p, \"%s\")", c.handle, c.text); break;
      case CALL_DATE2INT: fprintf(out, "(\"%s\") -> %d", c.text, static_cast<int>(c.answer)); break;
      default:  // the vessel's own numeric queries
        fprintf(out, "() [vessel %d] -> %s", c.vessel, number);
        break;
    }
    fputc('\n', out);
  }
}
