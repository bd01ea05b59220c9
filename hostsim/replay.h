// The replay run: the scenario's answers in every step, the module's
// forces and status lines printed as a table or as CSV.
#pragma once

#include "hostsim/host_options.h"

// Returns the process exit status: 0 done, 1 module not loadable or
// lacking an export, 2 bad input, 3 the module overran the debug line.
int RunReplay(const HostOptions &options);
