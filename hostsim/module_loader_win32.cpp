// Loading the module on Windows: LoadLibrary, GetProcAddress, FreeLibrary.
#include "hostsim/module_loader.h"
#include "hostsim/number_text.h"
#include "hostsim/sim_libc.h"

extern "C" {
struct HINSTANCE__;
typedef HINSTANCE__ *HMODULE;
typedef int(__stdcall *FARPROC)();
__declspec(dllimport) HMODULE __stdcall LoadLibraryA(const char *path);
__declspec(dllimport) FARPROC __stdcall GetProcAddress(HMODULE module, const char *name);
__declspec(dllimport) int __stdcall FreeLibrary(HMODULE module);
__declspec(dllimport) unsigned long __stdcall GetModuleFileNameA(HMODULE module, char *path,
                                                                 unsigned long size);
__declspec(dllimport) unsigned long __stdcall GetLastError();
__declspec(dllimport) unsigned long __stdcall FormatMessageA(unsigned long flags,
                                                             const void *source, unsigned long id,
                                                             unsigned long language, char *buffer,
                                                             unsigned long size, va_list *args);
__declspec(dllimport) int __stdcall VirtualProtect(void *at, unsigned long size,
                                                   unsigned long protection,
                                                   unsigned long *previous);
__declspec(dllimport) int __stdcall FlushInstructionCache(void *process, const void *at,
                                                          unsigned long size);
__declspec(dllimport) void *__stdcall GetCurrentProcess();
}

namespace {

constexpr unsigned long FORMAT_MESSAGE_FROM_SYSTEM = 0x1000;
constexpr unsigned long FORMAT_MESSAGE_IGNORE_INSERTS = 0x200;
constexpr unsigned long PAGE_EXECUTE_READWRITE = 0x40;

}  // namespace

void *LoadModuleBinary(const char *path, char *error, size_t errorSize) {
  HMODULE module = LoadLibraryA(path);
  if (module == nullptr) {
    const unsigned long code = GetLastError();
    char text[512] = {0};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   text, sizeof text, nullptr);
    size_t n = strlen(text);
    while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r')) text[--n] = '\0';
    FormatText(error, errorSize, "LoadLibrary failed with error %lu: %s", code, text);
  }
  return module;
}

void *FindModuleExport(void *module, const char *name) {
  return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void UnloadModuleBinary(void *module) { FreeLibrary(static_cast<HMODULE>(module)); }

bool ModuleBesideProgram(char *path, size_t size) {
  char self[1024];
  const unsigned long n = GetModuleFileNameA(nullptr, self, sizeof self);
  if (n == 0 || n >= sizeof self) return false;
  const char *slash = strrchr(self, '\\');
  const char *forward = strrchr(self, '/');
  if (forward != nullptr && (slash == nullptr || forward > slash)) slash = forward;
  const int directory = slash == nullptr ? 0 : static_cast<int>(slash - self + 1);
  FormatText(path, size, "%.*svantrel.dll", directory, self);
  return true;
}

bool PatchModuleCode(void *at, const unsigned char *code, unsigned length) {
  unsigned long previous = 0;
  if (VirtualProtect(at, length, PAGE_EXECUTE_READWRITE, &previous) == 0) return false;
  memcpy(at, code, length);
  VirtualProtect(at, length, previous, &previous);
  FlushInstructionCache(GetCurrentProcess(), at, length);
  return true;
}
