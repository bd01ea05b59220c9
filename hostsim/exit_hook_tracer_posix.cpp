// The exit-hook tracer natively: the first byte of the module's opcDLLExit
// becomes an int3. When the module calls its hook, the trap lands here
// with the processor state at the hook's entry: the handle is its first
// argument, and returning to the caller is popping the return address,
// which is what the empty hook would have done.
#include <signal.h>
#include <ucontext.h>

#include "hostsim/exit_hook_tracer.h"
#include "hostsim/module_loader.h"
#include "hostsim/recording_host.h"
#include "hostsim/sim_libc.h"

namespace {

unsigned char *tracedHook = nullptr;

// The saved registers are integers that hold addresses: reading them as
// pointers is the point here.
// NOLINTBEGIN(performance-no-int-to-ptr)
void OnBreakpoint(int /*signal*/, siginfo_t * /*info*/, void *context) {
  mcontext_t &m = static_cast<ucontext_t *>(context)->uc_mcontext;
#if defined(__x86_64__)
  // The trap has moved the instruction pointer past the int3.
  if (reinterpret_cast<unsigned char *>(m.gregs[REG_RIP]) != tracedHook + 1) abort();
  HostRecordCall(CALL_EXIT_HOOK, reinterpret_cast<void *>(m.gregs[REG_RDI]));
  const greg_t stack = m.gregs[REG_RSP];
  m.gregs[REG_RIP] = *reinterpret_cast<greg_t *>(stack);
  m.gregs[REG_RSP] = stack + 8;
#elif defined(__i386__)
  if (reinterpret_cast<unsigned char *>(m.gregs[REG_EIP]) != tracedHook + 1) abort();
  const greg_t stack = m.gregs[REG_ESP];
  HostRecordCall(CALL_EXIT_HOOK, *reinterpret_cast<void **>(stack + 4));  // cdecl argument
  m.gregs[REG_EIP] = *reinterpret_cast<greg_t *>(stack);
  m.gregs[REG_ESP] = stack + 4;
#endif
}
// NOLINTEND(performance-no-int-to-ptr)

}  // namespace

bool TraceExitHook(void *module) {
#if defined(__x86_64__) || defined(__i386__)
  unsigned char *hook = static_cast<unsigned char *>(FindModuleExport(module, "opcDLLExit"));
  if (hook == nullptr) return false;
  struct sigaction action;
  memset(&action, 0, sizeof action);
  action.sa_sigaction = OnBreakpoint;
  action.sa_flags = SA_SIGINFO;
  if (sigaction(SIGTRAP, &action, nullptr) != 0) return false;
  tracedHook = hook;
  const unsigned char breakpoint = 0xCC;
  return PatchModuleCode(hook, &breakpoint, 1);
#else
  (void)module;
  return false;
#endif
}
