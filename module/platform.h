// What the module uses of the Windows library loader: the notices its
// entry receives and GetProcAddress on its own instance. On Windows these
// are the system's; natively the loader layer (loader_linux.cpp) plays
// them for the shared object.
#pragma once

#include "host/orbiter_api.h"

#if defined(_WIN32)
#define WINAPI __stdcall
#else
#define WINAPI
#endif

typedef int BOOL;
constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;

typedef int(WINAPI *FARPROC)();

extern "C" {
#if defined(_WIN32)
__declspec(dllimport)
#endif
    FARPROC WINAPI GetProcAddress(HINSTANCE hModule, const char *name);
}

// The library's entry function, called by the runtime library's entry
// point around its own set-up and tear-down.
BOOL WINAPI DllMain(HINSTANCE hModule, DWORD reason, void *reserved);
