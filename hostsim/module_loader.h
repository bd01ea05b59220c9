// Loading the module binary the way the host does: by path, then finding
// its exports by name. dlopen natively, LoadLibrary on Windows.
#pragma once

#include <stddef.h>

// Null on failure, with the loader's own message in `error`.
void *LoadModuleBinary(const char *path, char *error, size_t errorSize);
void *FindModuleExport(void *module, const char *name);
void UnloadModuleBinary(void *module);
// The module built beside this program: vantrel.so, or vantrel.dll.
bool ModuleBesideProgram(char *path, size_t size);

// Replaces `length` bytes of code at `at` with `code`, making the page
// writable for the time it takes. False if the page cannot be changed.
bool PatchModuleCode(void *at, const unsigned char *code, unsigned length);
