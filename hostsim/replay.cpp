#include "hostsim/replay.h"

#include "hostsim/call_trace.h"
#include "hostsim/module_loader.h"
#include "hostsim/number_text.h"
#include "hostsim/recording_host.h"
#include "hostsim/scenario.h"
#include "hostsim/sim_libc.h"
#include "module/module_api.h"

namespace {

typedef void (*TimestepFunction)(double simTime, double simStep, double mjd);

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

void PrintTraceSoFar(bool trace) {
  unsigned count = 0;
  const HostCall *calls = HostCalls(&count);
  if (trace) PrintCallTrace(stderr, calls, count);
  HostClearCalls();
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

  char modulePath[4096];
  if (options.modulePath != nullptr) {
    FormatText(modulePath, sizeof modulePath, "%s", options.modulePath);
  } else if (!ModuleBesideProgram(modulePath, sizeof modulePath)) {
    fputs("hostsim: cannot tell where hostsim lives; name the module with --module\n", stderr);
    free(vessels);
    return 1;
  }
  char loadError[1024];
  HostBeginStep();
  void *module = LoadModuleBinary(modulePath, loadError, sizeof loadError);
  if (module == nullptr) {
    fprintf(stderr, "hostsim: cannot load %s: %s\n", modulePath, loadError);
    free(vessels);
    return 1;
  }
  PrintTraceSoFar(options.trace);
  const TimestepFunction timestep =
      reinterpret_cast<TimestepFunction>(FindModuleExport(module, "opcTimestep"));
  if (timestep == nullptr) {
    fprintf(stderr, "hostsim: %s exports no opcTimestep\n", modulePath);
    UnloadModuleBinary(module);
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
    PrintTraceSoFar(options.trace);

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
  fflush(stdout);

  HostBeginStep();
  UnloadModuleBinary(module);
  PrintTraceSoFar(options.trace);
  free(vessels);
  return status;
}
