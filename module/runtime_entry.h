// The runtime library's entry point of the module. There is no vendor C
// runtime here, so the module brings its own: a set-up that must succeed
// before DllMain runs, and the order of DllMain and tear-down around it.
#pragma once

#include "module/platform.h"

typedef BOOL (*RUNTIMESETUP)();

// The module's runtime set-up: the processor must have SSE2, which the
// module's double arithmetic is compiled for.
BOOL ProcessorHasSse2();

// Process attach: set up, and only then DllMain; a failed set-up fails the
// load without calling it. Process detach: DllMain first, then tear-down,
// and neither after a failed attach. Thread notices go to DllMain once the
// runtime is up. The set-up is a parameter so tests can make it fail.
BOOL RuntimeEntry(HINSTANCE hModule, DWORD reason, void *reserved, RUNTIMESETUP setUp);

// What the loader calls: RuntimeEntry with ProcessorHasSse2.
extern "C" BOOL WINAPI _DllMainCRTStartup(HINSTANCE hModule, DWORD reason, void *reserved);
