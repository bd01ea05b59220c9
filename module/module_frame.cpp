// What the loader and the host see of the library outside the time steps:
// the entry function, the exit hook, the two life-cycle callbacks and the
// version query. Two module-wide values, both 0 at load: the exit hook
// and the cached version.
#include "module/module_api.h"
#include "module/platform.h"

namespace {

typedef void (*EXITHOOK)(HINSTANCE hModule);

EXITHOOK exitHook = nullptr;
int cachedVersion = 0;

// Date2Int takes modifiable characters, so the date is an array of the
// module's own. Two blanks before the 6: the day is right-aligned.
char versionDate[] = "Feb  6 2005";

EXITHOOK FindExitHook(HINSTANCE hModule, const char *name) {
  return reinterpret_cast<EXITHOOK>(GetProcAddress(hModule, name));
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE hModule, DWORD reason, void * /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      // The host gets the handle before anything is looked up.
      InitLib(hModule);
      // A module that exports ExitModule gets it as its hook; this one
      // does not, so the look-up falls through to its own opcDLLExit.
      exitHook = FindExitHook(hModule, "ExitModule");
      if (exitHook == nullptr) exitHook = FindExitHook(hModule, "opcDLLExit");
      break;
    case DLL_PROCESS_DETACH:
      if (exitHook != nullptr) exitHook(hModule);
      break;
    default:  // thread notices: nothing to do
      break;
  }
  return TRUE;
}

extern "C" void opcDLLInit(HINSTANCE /*hModule*/) {}

extern "C" void opcDLLExit(HINSTANCE /*hModule*/) {}

extern "C" int GetModuleVersion() {
  // An answer of 0 is not kept: the next call asks again.
  if (cachedVersion == 0) cachedVersion = Date2Int(versionDate);
  return cachedVersion;
}
