// Printing the host's call log, one call a line, for --trace.
#pragma once

#include "hostsim/recording_host.h"
#include "hostsim/sim_libc.h"

void PrintCallTrace(FILE *out, const HostCall *calls, unsigned count);
