// hostsim --flight: load the flight file and the module, fly, and show the
// outcome per vessel; with --out, each trajectory as CSV and a plot.
#pragma once

#include "hostsim/host_options.h"

// Exit status as for the replay: 0, 1 module, 2 bad input.
int RunFlight(const HostOptions &options);
