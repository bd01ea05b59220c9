// The functions that the module exports to the host, by these exact,
// undecorated names with C linkage. The host finds them by name.
#pragma once

#include "host/orbiter_api.h"

#if defined(_WIN32)
#define VANTREL_EXPORT __declspec(dllexport)
#else
#define VANTREL_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
// The per-step work. The host's arguments are read by nobody; the function
// is cdecl, so the caller removes whatever it passed.
VANTREL_EXPORT void opcTimestep(double simTime, double simStep, double mjd);
// Life-cycle callbacks that do nothing. opcDLLExit also serves as the
// module's exit hook, called at unload with the instance handle.
VANTREL_EXPORT void opcDLLInit(HINSTANCE hModule);
VANTREL_EXPORT void opcDLLExit(HINSTANCE hModule);
// The host's Date2Int of the fixed build date, asked once and kept.
VANTREL_EXPORT int GetModuleVersion();
}
