#include "module/runtime_entry.h"

#include <cpuid.h>

namespace {

// The runtime library's own state: whether its set-up succeeded.
bool runtimeReady = false;

}  // namespace

BOOL ProcessorHasSse2() {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return FALSE;
  return (edx & bit_SSE2) != 0 ? TRUE : FALSE;
}

BOOL RuntimeEntry(HINSTANCE hModule, DWORD reason, void *reserved, RUNTIMESETUP setUp) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      // The set-up acquires nothing, so a failure has nothing to release.
      if (setUp() == FALSE) return FALSE;
      runtimeReady = true;
      return DllMain(hModule, reason, reserved);
    case DLL_PROCESS_DETACH: {
      if (!runtimeReady) return TRUE;  // the attach failed: DllMain never ran
      const BOOL result = DllMain(hModule, reason, reserved);
      runtimeReady = false;  // tear-down, after the exit hook has run
      return result;
    }
    default:
      if (!runtimeReady) return TRUE;
      return DllMain(hModule, reason, reserved);
  }
}

extern "C" BOOL WINAPI _DllMainCRTStartup(HINSTANCE hModule, DWORD reason, void *reserved) {
  return RuntimeEntry(hModule, reason, reserved, ProcessorHasSse2);
}
