// The exit-hook tracer on Windows: the module's opcDLLExit, a bare return
// in the int3 fill that lld-link leaves between functions, is replaced by
// a jump to the host's recorder, which returns in its place.
#include "hostsim/exit_hook_tracer.h"
#include "hostsim/module_loader.h"
#include "hostsim/recording_host.h"
#include "hostsim/sim_libc.h"

namespace {

extern "C" void TracedExitHook(HINSTANCE hModule) { HostRecordCall(CALL_EXIT_HOOK, hModule); }

constexpr unsigned char RET = 0xC3;
constexpr unsigned char INT3 = 0xCC;

}  // namespace

bool TraceExitHook(void *module) {
  unsigned char *hook = static_cast<unsigned char *>(FindModuleExport(module, "opcDLLExit"));
  if (hook == nullptr) return false;
  // jmp rel32: 5 bytes, relative to the end of the instruction.
  const uintptr_t target = reinterpret_cast<uintptr_t>(&TracedExitHook);
  const uint32_t relative = static_cast<uint32_t>(target - (reinterpret_cast<uintptr_t>(hook) + 5));
  unsigned char jump[5] = {0xE9, 0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) jump[1 + i] = static_cast<unsigned char>(relative >> (8 * i));
  if (hook[0] != RET) return false;
  for (unsigned i = 1; i < sizeof jump; ++i) {
    if (hook[i] != INT3) return false;
  }
  return PatchModuleCode(hook, jump, sizeof jump);
}
