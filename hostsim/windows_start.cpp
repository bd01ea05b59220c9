// The stand-in host's process start on Windows. With no vendor C runtime
// to link, it asks msvcrt.dll for the command line, as a C runtime's own
// start-up would, runs main and exits through msvcrt so that its streams
// are flushed.
#include "hostsim/sim_libc.h"

extern "C" {
struct StartupInfo {
  int newMode;
};
int __getmainargs(int *argc, char ***argv, char ***environment, int expandWildcards,
                  StartupInfo *info);
int _fltused = 0;  // referenced by every object that uses floating point
}

int main(int argc, char **argv);

extern "C" void mainCRTStartup() {
  int argc = 0;
  char **argv = nullptr;
  char **environment = nullptr;
  StartupInfo info = {0};
  __getmainargs(&argc, &argv, &environment, 0, &info);
  exit(main(argc, argv));
}
