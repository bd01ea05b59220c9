#include "hostsim/exit_hook_tracer.h"

#include "hostsim/module_loader.h"
#include "hostsim/recording_host.h"
#include "hostsim/sim_libc.h"

namespace {

// Called in place of the module's opcDLLExit, with its arguments.
extern "C" void TracedExitHook(HINSTANCE hModule) { HostRecordCall(CALL_EXIT_HOOK, hModule); }

constexpr unsigned char RET = 0xC3;
constexpr unsigned char INT3 = 0xCC;

bool IsBareReturn(const unsigned char *code, unsigned room) {
  if (code[0] != RET) return false;
  for (unsigned i = 1; i < room; ++i) {
    if (code[i] != INT3) return false;
  }
  return true;
}

}  // namespace

bool TraceExitHook(void *module) {
  unsigned char *hook = static_cast<unsigned char *>(FindModuleExport(module, "opcDLLExit"));
  if (hook == nullptr) return false;
  const uintptr_t target = reinterpret_cast<uintptr_t>(&TracedExitHook);
#if defined(__x86_64__)
  // movabs rax, target; jmp rax: any distance, 12 bytes.
  unsigned char jump[12] = {0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xE0};
  for (int i = 0; i < 8; ++i) jump[2 + i] = static_cast<unsigned char>(target >> (8 * i));
#elif defined(__i386__)
  // jmp rel32: 5 bytes, relative to the end of the instruction.
  const uint32_t relative = static_cast<uint32_t>(target - (reinterpret_cast<uintptr_t>(hook) + 5));
  unsigned char jump[5] = {0xE9, 0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) jump[1 + i] = static_cast<unsigned char>(relative >> (8 * i));
#else
  return false;
#endif
  if (!IsBareReturn(hook, sizeof jump)) return false;
  return PatchModuleCode(hook, jump, sizeof jump);
}
