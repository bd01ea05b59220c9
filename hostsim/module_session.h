// The module's life in the stand-in host: loaded from its path (the
// loader runs its entry, which hands InitLib its handle), used, then
// unloaded (its exit hook runs). With tracing on, the host calls of both
// ends are printed, the exit hook's included.
#pragma once

#include "hostsim/host_options.h"

struct ModuleSession {
  void *module = nullptr;
  char path[4096] = {};
  bool trace = false;
};

// Loads the module that the options name. False with a message on stderr.
bool OpenModuleSession(const HostOptions &options, ModuleSession *session);
void *FindSessionExport(const ModuleSession &session, const char *name);
// The module's opcTimestep, or null after saying on stderr that it lacks one.
TimestepFunction FindSessionTimestep(const ModuleSession &session);
// Prints the host calls logged since the last flush when tracing, then
// forgets them.
void FlushSessionTrace(const ModuleSession &session);
void CloseModuleSession(ModuleSession *session);

// hostsim --info: the four exports and the version, then unload.
int RunModuleInfo(const HostOptions &options);
