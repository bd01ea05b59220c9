// Loading vantrel.dll into a 32-bit Linux process, so that the real DLL's
// machine code runs without Windows (under qemu-i386 on a 64-bit kernel
// that runs no 32-bit programs itself). This is a small loader for this
// one kind of image: PE32, i386, imports by name, base relocations.
//
// The image's imports are answered by this host: the host operations
// under the MSVC names the DLL imports them by, its VESSEL members through
// thiscall thunks (this in ECX, callee pops the arguments), sin and cos
// from the C library, GetProcAddress on the image's own export table. Then
// the image's entry point gets the process-attach notice, as the Windows
// loader would deliver it, and the detach notice at unload.
#include <sys/mman.h>

#include "hostsim/module_loader.h"
#include "hostsim/number_text.h"
#include "hostsim/recording_host.h"
#include "hostsim/sim_libc.h"

namespace {

// ---- the image's structures, read by offset --------------------------

uint16_t Read16(const unsigned char *at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }
uint32_t Read32(const unsigned char *at) {
  return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
         (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

constexpr uint16_t MACHINE_I386 = 0x14C;
constexpr uint16_t MAGIC_PE32 = 0x10B;
constexpr unsigned DIRECTORY_EXPORT = 0, DIRECTORY_IMPORT = 1, DIRECTORY_RELOCATION = 5;
constexpr unsigned RELOCATION_HIGHLOW = 3;
constexpr uint32_t DLL_PROCESS_DETACH = 0, DLL_PROCESS_ATTACH = 1;

// Where the headers put things, for an image file or a loaded image (the
// headers are the same in both).
struct PeLayout {
  const unsigned char *optional;  // the 32-bit optional header
  const unsigned char *sections;  // the first section header
  unsigned sectionCount;
  uint32_t imageBase, imageSize, headerSize, entry;
};

bool ReadLayout(const unsigned char *image, size_t size, PeLayout *layout) {
  if (size < 0x40 || image[0] != 'M' || image[1] != 'Z') return false;
  const uint32_t pe = Read32(image + 0x3C);
  if (pe + 24 + 96 > size || memcmp(image + pe, "PE\0\0", 4) != 0) return false;
  const unsigned char *file = image + pe + 4;
  if (Read16(file) != MACHINE_I386) return false;
  layout->sectionCount = Read16(file + 2);
  const unsigned optionalSize = Read16(file + 16);
  layout->optional = file + 20;
  if (Read16(layout->optional) != MAGIC_PE32) return false;
  layout->sections = layout->optional + optionalSize;
  layout->entry = Read32(layout->optional + 16);
  layout->imageBase = Read32(layout->optional + 28);
  layout->imageSize = Read32(layout->optional + 56);
  layout->headerSize = Read32(layout->optional + 60);
  return static_cast<size_t>(layout->sections - image) + 40 * layout->sectionCount <= size;
}

void Directory(const PeLayout &layout, unsigned index, uint32_t *rva, uint32_t *size) {
  *rva = Read32(layout.optional + 96 + 8 * index);
  *size = Read32(layout.optional + 96 + 8 * index + 4);
}

// ---- what this host provides to the image ----------------------------

#define THISCALL __attribute__((thiscall))
#define STDCALL __attribute__((stdcall))

THISCALL double VesselGetAtmDensity(const VESSEL *v) { return v->GetAtmDensity(); }
THISCALL double VesselGetMass(const VESSEL *v) { return v->GetMass(); }
THISCALL double VesselGetSize(const VESSEL *v) { return v->GetSize(); }
THISCALL ObjectRef VesselGetSurfaceRef(const VESSEL *v) { return v->GetSurfaceRef(); }
THISCALL double VesselGetAltitude(const VESSEL *v) { return v->GetAltitude(); }
THISCALL double VesselGetBank(const VESSEL *v) { return v->GetBank(); }
THISCALL double VesselGetPitch(const VESSEL *v) { return v->GetPitch(); }
THISCALL void VesselAddForce(const VESSEL *v, const VECTOR3 &F, const VECTOR3 &r) {
  v->AddForce(F, r);
}

STDCALL void *Kernel32GetProcAddress(void *module, const char *name) {
  return FindModuleExport(module, name);
}

double CSin(double x) { return sin(x); }
double CCos(double x) { return cos(x); }

struct Provided {
  const char *dll;
  const char *name;
  void *address;
};

template <typename F>
void *Address(F *function) {
  return reinterpret_cast<void *>(function);
}

const Provided PROVIDED[] = {
    {"orbiter.exe", "?oapiGetVesselCount@@YAKXZ", Address(oapiGetVesselCount)},
    {"orbiter.exe", "?oapiGetVesselByIndex@@YAPAXH@Z", Address(oapiGetVesselByIndex)},
    {"orbiter.exe", "?oapiGetVesselInterface@@YAPAVVESSEL@@PAX@Z", Address(oapiGetVesselInterface)},
    {"orbiter.exe", "?oapiGetMass@@YANPAX@Z", Address(oapiGetMass)},
    {"orbiter.exe", "?oapiGetSize@@YANPAX@Z", Address(oapiGetSize)},
    {"orbiter.exe", "?oapiDebugString@@YAPADXZ", Address(oapiDebugString)},
    {"orbiter.exe", "?InitLib@@YAXPAUHINSTANCE__@@@Z", Address(InitLib)},
    {"orbiter.exe", "?Date2Int@@YAHPAD@Z", Address(Date2Int)},
    {"orbiter.exe", "?GetAtmDensity@VESSEL@@QBENXZ", Address(VesselGetAtmDensity)},
    {"orbiter.exe", "?GetMass@VESSEL@@QBENXZ", Address(VesselGetMass)},
    {"orbiter.exe", "?GetSize@VESSEL@@QBENXZ", Address(VesselGetSize)},
    {"orbiter.exe", "?GetSurfaceRef@VESSEL@@QBEPAXXZ", Address(VesselGetSurfaceRef)},
    {"orbiter.exe", "?GetAltitude@VESSEL@@QBENXZ", Address(VesselGetAltitude)},
    {"orbiter.exe", "?GetBank@VESSEL@@QBENXZ", Address(VesselGetBank)},
    {"orbiter.exe", "?GetPitch@VESSEL@@QBENXZ", Address(VesselGetPitch)},
    {"orbiter.exe", "?AddForce@VESSEL@@QBEXABUVECTOR3@@0@Z", Address(VesselAddForce)},
    {"kernel32.dll", "GetProcAddress", Address(Kernel32GetProcAddress)},
    {"msvcrt.dll", "sin", Address(CSin)},
    {"msvcrt.dll", "cos", Address(CCos)},
};

bool SameDllName(const char *a, const char *b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    const char x = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a + 32) : *a;
    if (x != *b) return false;
  }
  return *a == *b;
}

void *FindProvided(const char *dll, const char *name) {
  for (const Provided &p : PROVIDED) {
    if (SameDllName(dll, p.dll) && strcmp(name, p.name) == 0) return p.address;
  }
  return nullptr;
}

// ---- loading ----------------------------------------------------------

typedef STDCALL int (*EntryPoint)(void *module, uint32_t reason, void *reserved);

bool ResolveImports(unsigned char *base, const PeLayout &layout, char *error, size_t size) {
  uint32_t rva = 0, length = 0;
  Directory(layout, DIRECTORY_IMPORT, &rva, &length);
  for (const unsigned char *d = base + rva; length != 0 && Read32(d + 12) != 0; d += 20) {
    const char *dll = reinterpret_cast<const char *>(base + Read32(d + 12));
    const uint32_t names = Read32(d) != 0 ? Read32(d) : Read32(d + 16);
    unsigned char *slots = base + Read32(d + 16);
    for (uint32_t i = 0;; ++i) {
      const uint32_t entry = Read32(base + names + 4 * i);
      if (entry == 0) break;
      if ((entry & 0x80000000U) != 0) {
        FormatText(error, size, "imports from %s by ordinal, which this host cannot answer", dll);
        return false;
      }
      const char *name = reinterpret_cast<const char *>(base + entry + 2);
      void *address = FindProvided(dll, name);
      if (address == nullptr) {
        FormatText(error, size, "imports %s from %s, which this host does not provide", name, dll);
        return false;
      }
      const uint32_t value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address));
      memcpy(slots + 4 * i, &value, 4);
    }
  }
  return true;
}

void Relocate(unsigned char *base, const PeLayout &layout) {
  const uint32_t delta =
      static_cast<uint32_t>(reinterpret_cast<uintptr_t>(base)) - layout.imageBase;
  if (delta == 0) return;
  uint32_t rva = 0, length = 0;
  Directory(layout, DIRECTORY_RELOCATION, &rva, &length);
  const unsigned char *block = base + rva;
  const unsigned char *end = block + length;
  while (block + 8 <= end) {
    const uint32_t page = Read32(block);
    const uint32_t blockSize = Read32(block + 4);
    if (blockSize < 8) break;
    for (uint32_t i = 8; i + 2 <= blockSize; i += 2) {
      const uint16_t entry = Read16(block + i);
      if ((entry >> 12) != RELOCATION_HIGHLOW) continue;
      unsigned char *at = base + page + (entry & 0xFFF);
      const uint32_t value = Read32(at) + delta;
      memcpy(at, &value, 4);
    }
    block += blockSize;
  }
}

bool ReadFileBytes(const char *path, unsigned char **data, size_t *size) {
  FILE *file = fopen(path, "rb");
  if (file == nullptr) return false;
  size_t capacity = 1 << 16, used = 0;
  unsigned char *buffer = static_cast<unsigned char *>(malloc(capacity));
  while (buffer != nullptr) {
    used += fread(buffer + used, 1, capacity - used, file);
    if (used < capacity) break;
    capacity *= 2;
    unsigned char *grown = static_cast<unsigned char *>(realloc(buffer, capacity));
    if (grown == nullptr) free(buffer);
    buffer = grown;
  }
  fclose(file);
  *data = buffer;
  *size = used;
  return buffer != nullptr;
}

}  // namespace

void *LoadModuleBinary(const char *path, char *error, size_t errorSize) {
  unsigned char *file = nullptr;
  size_t size = 0;
  if (!ReadFileBytes(path, &file, &size)) {
    FormatText(error, errorSize, "cannot read the file");
    return nullptr;
  }
  PeLayout layout;
  if (!ReadLayout(file, size, &layout)) {
    free(file);
    FormatText(error, errorSize, "not a 32-bit i386 Windows image");
    return nullptr;
  }
  unsigned char *base = static_cast<unsigned char *>(mmap(nullptr, layout.imageSize,
                                                          PROT_READ | PROT_WRITE | PROT_EXEC,
                                                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  if (base == MAP_FAILED) {
    free(file);
    FormatText(error, errorSize, "no memory for the image");
    return nullptr;
  }
  memcpy(base, file, layout.headerSize < size ? layout.headerSize : size);
  for (unsigned s = 0; s < layout.sectionCount; ++s) {
    const unsigned char *section = layout.sections + 40 * s;
    const uint32_t address = Read32(section + 12);
    const uint32_t rawSize = Read32(section + 16);
    const uint32_t rawOffset = Read32(section + 20);
    if (rawOffset + rawSize <= size && address + rawSize <= layout.imageSize) {
      memcpy(base + address, file + rawOffset, rawSize);
    }
  }
  free(file);
  ReadLayout(base, layout.imageSize, &layout);  // from the image from now on
  Relocate(base, layout);
  if (!ResolveImports(base, layout, error, errorSize)) {
    munmap(base, layout.imageSize);
    return nullptr;
  }
  const EntryPoint entry = reinterpret_cast<EntryPoint>(base + layout.entry);
  if (entry(base, DLL_PROCESS_ATTACH, nullptr) == 0) {
    munmap(base, layout.imageSize);
    FormatText(error, errorSize, "its entry point refused the load (its runtime set-up failed)");
    return nullptr;
  }
  return base;
}

void *FindModuleExport(void *module, const char *name) {
  unsigned char *base = static_cast<unsigned char *>(module);
  PeLayout layout;
  if (!ReadLayout(base, 4096, &layout)) return nullptr;
  uint32_t rva = 0, length = 0;
  Directory(layout, DIRECTORY_EXPORT, &rva, &length);
  if (length == 0) return nullptr;
  const unsigned char *directory = base + rva;
  const uint32_t nameCount = Read32(directory + 24);
  const unsigned char *functions = base + Read32(directory + 28);
  const unsigned char *names = base + Read32(directory + 32);
  const unsigned char *ordinals = base + Read32(directory + 36);
  for (uint32_t i = 0; i < nameCount; ++i) {
    const char *exported = reinterpret_cast<const char *>(base + Read32(names + 4 * i));
    if (strcmp(exported, name) == 0) {
      return base + Read32(functions + 4 * Read16(ordinals + 2 * i));
    }
  }
  return nullptr;
}

void UnloadModuleBinary(void *module) {
  unsigned char *base = static_cast<unsigned char *>(module);
  PeLayout layout;
  if (!ReadLayout(base, 4096, &layout)) return;
  reinterpret_cast<EntryPoint>(base + layout.entry)(base, DLL_PROCESS_DETACH, nullptr);
  munmap(base, layout.imageSize);
}

bool ModuleBesideProgram(char *path, size_t size) {
  FormatText(path, size, "vantrel.dll");
  return true;
}

// The image is mapped writable already.
bool PatchModuleCode(void *at, const unsigned char *code, unsigned length) {
  memcpy(at, code, length);
  return true;
}
