// The C library functions that the stand-in host uses, and nothing more.
//
// Natively these come from the system headers. The Windows build has no C
// library headers, so it declares the same functions itself and imports
// them from the system's msvcrt.dll, which every Windows and Wine has.
#pragma once

#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>

#if !defined(_WIN32)

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

inline int SimIsTerminal(FILE *stream) { return isatty(fileno(stream)); }
// Creates a directory; true also when it is there already.
inline bool SimMakeDirectory(const char *path) {
  struct stat info;
  return mkdir(path, 0777) == 0 || (stat(path, &info) == 0 && S_ISDIR(info.st_mode));
}

#else

extern "C" {
// msvcrt's stream record; only its size matters, for indexing __iob_func.
struct FILE {
  char *ptr;
  int count;
  char *base;
  int flags;
  int file;
  int charbuf;
  int bufsiz;
  char *tmpfname;
};
__declspec(dllimport) FILE *__iob_func(void);
FILE *fopen(const char *path, const char *mode);
int fclose(FILE *stream);
size_t fread(void *data, size_t size, size_t count, FILE *stream);
size_t fwrite(const void *data, size_t size, size_t count, FILE *stream);
int fprintf(FILE *stream, const char *format, ...);
int printf(const char *format, ...);
int fputs(const char *text, FILE *stream);
int fputc(int c, FILE *stream);
int fflush(FILE *stream);
int _vsnprintf(char *out, size_t size, const char *format, va_list args);
int _isatty(int fd);
int _fileno(FILE *stream);
double strtod(const char *text, char **end);
unsigned long strtoul(const char *text, char **end, int base);
void *malloc(size_t size);
void *calloc(size_t count, size_t size);
void *realloc(void *data, size_t size);
void free(void *data);
void exit(int status);
int system(const char *command);
int strcmp(const char *a, const char *b);
int strncmp(const char *a, const char *b, size_t n);
size_t strlen(const char *text);
const char *strrchr(const char *text, int c);
const char *strchr(const char *text, int c);
void *memcpy(void *to, const void *from, size_t n);
void *memset(void *to, int c, size_t n);
int memcmp(const void *a, const void *b, size_t n);
double ldexp(double value, int exponent);
double exp(double value);
double log(double value);
double pow(double base, double exponent);
double sqrt(double value);
double fabs(double value);
double floor(double value);
double sin(double value);
double cos(double value);
typedef long clock_t;
clock_t clock(void);
int _mkdir(const char *path);
}

#define CLOCKS_PER_SEC 1000

#define stdout (&__iob_func()[1])
#define stderr (&__iob_func()[2])

inline int SimIsTerminal(FILE *stream) { return _isatty(_fileno(stream)); }
// Creates a directory; true also when it is there already (errno 17).
inline bool SimMakeDirectory(const char *path) {
  if (_mkdir(path) == 0) return true;
  FILE *probe = fopen(path, "r");  // msvcrt opens a directory for reading
  if (probe != nullptr) fclose(probe);
  return probe != nullptr;
}

#endif
