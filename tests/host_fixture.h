// A small world for in-process tests: vessels handed to the recording
// host, one step run through the module's opcTimestep, and the calls and
// turns it left behind.
#pragma once

#include <string>
#include <vector>

#include "hostsim/recording_host.h"
#include "module/module_api.h"

inline HostVessel MakeVessel(double rho, double mass, double size, double altitude = 0,
                             double bank = 0, double pitch = 0) {
  HostVessel v{};
  v.atmDensity = rho;
  v.mass = mass;
  v.size = size;
  v.altitude = altitude;
  v.bank = bank;
  v.pitch = pitch;
  v.body = HostBody{6e24, 6.4e6};
  return v;
}

struct StepRecord {
  std::vector<HostCall> calls;
  std::vector<HostTurn> turns;
  bool guardIntact = true;
};

inline StepRecord RunStep(std::vector<HostVessel> &vessels, double simTime = 0,
                          double simStep = 0.1, double mjd = 51544.5) {
  HostSetVessels(vessels.data(), static_cast<unsigned>(vessels.size()));
  HostBeginStep();
  opcTimestep(simTime, simStep, mjd);
  StepRecord record;
  record.guardIntact = HostEndStep();
  unsigned n = 0;
  const HostCall *calls = HostCalls(&n);
  record.calls.assign(calls, calls + n);
  const HostTurn *turns = HostTurns(&n);
  record.turns.assign(turns, turns + n);
  return record;
}

inline std::vector<HostCallKind> KindsOf(const std::vector<HostCall> &calls) {
  std::vector<HostCallKind> kinds;
  for (const HostCall &c : calls) kinds.push_back(c.kind);
  return kinds;
}

inline std::vector<HostCall> AddForceCalls(const StepRecord &record) {
  std::vector<HostCall> forces;
  for (const HostCall &c : record.calls) {
    if (c.kind == CALL_ADD_FORCE) forces.push_back(c);
  }
  return forces;
}
