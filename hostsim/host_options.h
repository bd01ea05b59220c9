// hostsim's command line.
#pragma once

#include <stddef.h>

#include "hostsim/flight.h"

struct HostOptions {
  const char *modulePath = nullptr;  // null: the module beside the program
  const char *scenarioPath = nullptr;
  unsigned steps = 1;
  bool csv = false;
  bool trace = false;
  bool info = false;                 // print the module's exports and version, run nothing
  const char *flightPath = nullptr;  // flight mode instead of a replay
  const char *outDir = nullptr;      // flight mode: trajectories and plot
  FlightSettings flight;
  bool help = false;
};

extern const char HOST_USAGE[];

// False with a one-line complaint when the arguments make no sense.
bool ParseHostOptions(int argc, char **argv, HostOptions *options, char *problem,
                      size_t problemSize);
