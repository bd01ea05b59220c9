// hostsim: the stand-in host. It loads the module binary, answers the
// module's queries from a scenario file, runs time steps and shows what the
// module did: the forces it applied and the status lines it wrote.
#include "hostsim/flight_run.h"
#include "hostsim/host_options.h"
#include "hostsim/module_session.h"
#include "hostsim/replay.h"
#include "hostsim/sim_libc.h"

int main(int argc, char **argv) {
  HostOptions options;
  char problem[512];
  if (!ParseHostOptions(argc, argv, &options, problem, sizeof problem)) {
    fprintf(stderr, "hostsim: %s\n\n%s", problem, HOST_USAGE);
    return 2;
  }
  if (options.help) {
    fputs(HOST_USAGE, stdout);
    return 0;
  }
  if (options.info) return RunModuleInfo(options);
  if (options.flightPath != nullptr) return RunFlight(options);
  return RunReplay(options);
}
