#include <dlfcn.h>
#include <sys/mman.h>
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

bool PatchModuleCode(void *at, const unsigned char *code, unsigned length) {
  const uintptr_t pageSize = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t offset = reinterpret_cast<uintptr_t>(at) & (pageSize - 1);
  char *page = static_cast<char *>(at) - offset;
  const size_t span = offset + length;
  if (mprotect(page, span, PROT_READ | PROT_WRITE | PROT_EXEC) != 0) return false;
  memcpy(at, code, length);
  mprotect(page, span, PROT_READ | PROT_EXEC);
  __builtin___clear_cache(static_cast<char *>(at), static_cast<char *>(at) + length);
  return true;
}
