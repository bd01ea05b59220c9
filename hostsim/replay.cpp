#include "hostsim/replay.h"

#include "hostsim/module_session.h"
#include "hostsim/number_text.h"
#include "hostsim/recording_host.h"
#include "hostsim/scenario.h"
#include "hostsim/sim_libc.h"
#include "module/module_api.h"

namespace {

// The host's clock: a fixed 0.1 s step from MJD 51544.5. The module reads
// none of it, but a host passes something.
constexpr double STEP_SECONDS = 0.1;
constexpr double START_MJD = 51544.5;

void PrintCsvRow(unsigned step, const HostTurn &turn) {
  if (turn.forceCount > 0) {
    char x[32], y[32], z[32];
    FormatHexDouble(turn.force.x, x);
    FormatHexDouble(turn.force.y, y);
    FormatHexDouble(turn.force.z, z);
    printf("%u,%d,%s,%s,%s,%s\n", step, turn.vessel, x, y, z, turn.line);
  } else {
    printf("%u,%d,,,,%s\n", step, turn.vessel, turn.line);
  }
}

void PrintTableRow(const HostTurn &turn, const HostVessel *vessels, unsigned count) {
  const bool known = turn.vessel >= 0 && static_cast<unsigned>(turn.vessel) < count;
  printf("  %-3d %s\n", turn.vessel, known ? vessels[turn.vessel].name : "?");
  if (turn.forceCount > 0) {
    printf("      force  x %-14.8g y %-14.8g z %-14.8g N\n", turn.force.x, turn.force.y,
           turn.force.z);
  } else {
    printf("      force  none applied\n");
  }
  printf("      line   %s\n", turn.line);
}

}  // namespace

int RunReplay(const HostOptions &options) {
  HostVessel *vessels = nullptr;
  unsigned vesselCount = 0;
  CsvError error;
  if (!LoadScenario(options.scenarioPath, &vessels, &vesselCount, &error)) {
    fprintf(stderr, "hostsim: %s\n", error.message);
    return 2;
  }
  HostSetVessels(vessels, vesselCount);

  ModuleSession session;
  if (!OpenModuleSession(options, &session)) {
    free(vessels);
    return 1;
  }
  const TimestepFunction timestep = FindSessionTimestep(session);
  if (timestep == nullptr) {
    CloseModuleSession(&session);
    free(vessels);
    return 1;
  }

  int status = 0;
  if (options.csv) printf("step,vessel,fx,fy,fz,line\n");
  for (unsigned step = 0; step < options.steps && status == 0; ++step) {
    HostBeginStep();
    const double simTime = step * STEP_SECONDS;
    timestep(simTime, STEP_SECONDS, START_MJD + simTime / 86400.0);
    const bool intact = HostEndStep();
    FlushSessionTrace(session);

    unsigned turnCount = 0;
    const HostTurn *turns = HostTurns(&turnCount);
    if (!options.csv) printf("step %u\n", step);
    for (unsigned t = 0; t < turnCount; ++t) {
      if (options.csv) {
        PrintCsvRow(step, turns[t]);
      } else {
        PrintTableRow(turns[t], vessels, vesselCount);
      }
    }
    if (!intact) {
      fprintf(stderr, "hostsim: step %u: the module wrote past the %u-byte debug line\n", step,
              HOST_DEBUG_CAPACITY);
      status = 3;
    }
  }
  CloseModuleSession(&session);
  free(vessels);
  return status;
}
