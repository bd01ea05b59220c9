#include "hostsim/module_session.h"

#include "hostsim/call_trace.h"
#include "hostsim/exit_hook_tracer.h"
#include "hostsim/module_loader.h"
#include "hostsim/number_text.h"
#include "hostsim/recording_host.h"
#include "hostsim/sim_libc.h"

bool OpenModuleSession(const HostOptions &options, ModuleSession *session) {
  session->trace = options.trace;
  if (options.modulePath != nullptr) {
    FormatText(session->path, sizeof session->path, "%s", options.modulePath);
  } else if (!ModuleBesideProgram(session->path, sizeof session->path)) {
    fputs("hostsim: cannot tell where hostsim lives; name the module with --module\n", stderr);
    return false;
  }
  char error[1024];
  HostClearCalls();
  session->module = LoadModuleBinary(session->path, error, sizeof error);
  if (session->module == nullptr) {
    fprintf(stderr, "hostsim: cannot load %s: %s\n", session->path, error);
    return false;
  }
  FlushSessionTrace(*session);
  return true;
}

void *FindSessionExport(const ModuleSession &session, const char *name) {
  return FindModuleExport(session.module, name);
}

TimestepFunction FindSessionTimestep(const ModuleSession &session) {
  const TimestepFunction timestep =
      reinterpret_cast<TimestepFunction>(FindSessionExport(session, "opcTimestep"));
  if (timestep == nullptr) fprintf(stderr, "hostsim: %s exports no opcTimestep\n", session.path);
  return timestep;
}

void FlushSessionTrace(const ModuleSession &session) {
  unsigned count = 0;
  const HostCall *calls = HostCalls(&count);
  if (session.trace) PrintCallTrace(stderr, calls, count);
  HostClearCalls();
}

void CloseModuleSession(ModuleSession *session) {
  if (session->module == nullptr) return;
  fflush(stdout);
  HostClearCalls();
  if (session->trace && !TraceExitHook(session->module)) {
    fputs("trace: (the module's opcDLLExit cannot be traced here)\n", stderr);
  }
  UnloadModuleBinary(session->module);
  session->module = nullptr;
  FlushSessionTrace(*session);
}

int RunModuleInfo(const HostOptions &options) {
  ModuleSession session;
  if (!OpenModuleSession(options, &session)) return 1;
  printf("module %s\n", session.path);
  const char *const names[] = {"opcTimestep", "opcDLLInit", "opcDLLExit", "GetModuleVersion"};
  bool complete = true;
  for (const char *name : names) {
    const bool found = FindSessionExport(session, name) != nullptr;
    printf("  export %-17s %s\n", name, found ? "found" : "missing");
    complete = complete && found;
  }
  typedef int (*VersionFunction)();
  const VersionFunction version =
      reinterpret_cast<VersionFunction>(FindSessionExport(session, "GetModuleVersion"));
  if (version != nullptr) {
    printf("  GetModuleVersion  %d\n", version());
    FlushSessionTrace(session);
  }
  CloseModuleSession(&session);
  return complete ? 0 : 1;
}
