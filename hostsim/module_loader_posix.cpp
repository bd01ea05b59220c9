#include <dlfcn.h>
#include <unistd.h>

#include "hostsim/module_loader.h"
#include "hostsim/number_text.h"
#include "hostsim/sim_libc.h"

void *LoadModuleBinary(const char *path, char *error, size_t errorSize) {
  // A path without a slash would be searched on the library path; the host
  // means a file, so make it relative to the working directory.
  char local[4096];
  if (strchr(path, '/') == nullptr) {
    FormatText(local, sizeof local, "./%s", path);
    path = local;
  }
  void *module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) FormatText(error, errorSize, "%s", dlerror());
  return module;
}

void *FindModuleExport(void *module, const char *name) { return dlsym(module, name); }

void UnloadModuleBinary(void *module) { dlclose(module); }

bool ModuleBesideProgram(char *path, size_t size) {
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return false;
  self[n] = '\0';
  char *slash = strrchr(self, '/');
  if (slash == nullptr) return false;
  *slash = '\0';
  FormatText(path, size, "%s/vantrel.so", self);
  return true;
}
