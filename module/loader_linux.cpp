// The Windows loader's part, played for the shared object: the entry point
// gets the process-attach notice when the object is loaded and the detach
// notice when it is unloaded, both with the object's own handle, and
// GetProcAddress finds the object's exports with dlsym. Only the shared
// object has this layer; in-process tests drive DllMain themselves.
#include <dlfcn.h>

#include "module/runtime_entry.h"

namespace {

HINSTANCE ownHandle = nullptr;

// The dlopen handle of this very object. RTLD_NOLOAD finds it without a
// new reference; the one it takes is given back at once, or the object
// could never be unloaded.
HINSTANCE FindOwnHandle() {
  Dl_info info;
  if (dladdr(reinterpret_cast<void *>(&FindOwnHandle), &info) == 0) return nullptr;
  void *handle = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  if (handle != nullptr) dlclose(handle);
  return handle;
}

__attribute__((constructor)) void OnLoad() {
  ownHandle = FindOwnHandle();
  _DllMainCRTStartup(ownHandle, DLL_PROCESS_ATTACH, nullptr);
}

__attribute__((destructor)) void OnUnload() {
  _DllMainCRTStartup(ownHandle, DLL_PROCESS_DETACH, nullptr);
}

}  // namespace

extern "C" FARPROC GetProcAddress(HINSTANCE hModule, const char *name) {
  return reinterpret_cast<FARPROC>(dlsym(hModule, name));
}
