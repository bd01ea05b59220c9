#include "hostsim/host_options.h"

#include "hostsim/number_text.h"
#include "hostsim/sim_libc.h"

const char HOST_USAGE[] =
    "usage: hostsim [--module PATH] --scenario FILE [--steps N] [--csv] [--trace]\n"
    "       hostsim [--module PATH] --info [--trace]\n"
    "       hostsim [--module PATH] --flight FILE [--dt S] [--duration S]\n"
    "               [--body-mass KG] [--body-radius M] [--out DIR]\n"
    "\n"
    "  --module PATH    the module binary to load (default: the one beside hostsim)\n"
    "  --scenario FILE  CSV of vessels, one a row, with the header\n"
    "                   name,atm_density,mass,size,body_mass,body_radius,altitude,bank,pitch\n"
    "  --steps N        time steps to run (default 1)\n"
    "  --csv            print step,vessel,fx,fy,fz,line rows instead of a table\n"
    "  --trace          print every host call with its arguments and answer (stderr)\n"
    "  --info           print the module's exports and its GetModuleVersion\n"
    "\n"
    "flight mode: the host flies each vessel vertically in the U.S. Standard\n"
    "Atmosphere 1976 while the module applies its lift every step.\n"
    "  --flight FILE    CSV with the header name,mass,size,altitude,bank,pitch\n"
    "  --dt S           fixed time step (default 0.1)\n"
    "  --duration S     simulated time (default 600)\n"
    "  --body-mass KG   the body's mass (default 5.972e24, Earth)\n"
    "  --body-radius M  the body's radius (default 6.371e6)\n"
    "  --out DIR        write each vessel's trajectory CSV and altitude.png/.svg\n";

namespace {

bool ParseCount(const char *text, unsigned *value) {
  if (text[0] < '0' || text[0] > '9') return false;
  char *end = nullptr;
  const unsigned long parsed = strtoul(text, &end, 10);
  if (*end != '\0' || parsed > 100000000UL) return false;
  *value = static_cast<unsigned>(parsed);
  return true;
}

// A positive finite number for the flight settings.
bool ParsePositive(const char *text, double *value) {
  double parsed = 0;
  if (!ParseNumberText(text, strlen(text), &parsed) || !(parsed > 0) || parsed > 1e300) {
    return false;
  }
  *value = parsed;
  return true;
}

}  // namespace

bool ParseHostOptions(int argc, char **argv, HostOptions *options, char *problem,
                      size_t problemSize) {
  for (int i = 1; i < argc; ++i) {
    const char *arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (strcmp(arg, "--csv") == 0) {
      options->csv = true;
    } else if (strcmp(arg, "--trace") == 0) {
      options->trace = true;
    } else if (strcmp(arg, "--info") == 0) {
      options->info = true;
    } else if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
      options->help = true;
      return true;
    } else if (strcmp(arg, "--module") == 0 && hasValue) {
      options->modulePath = argv[++i];
    } else if (strcmp(arg, "--scenario") == 0 && hasValue) {
      options->scenarioPath = argv[++i];
    } else if (strcmp(arg, "--flight") == 0 && hasValue) {
      options->flightPath = argv[++i];
    } else if (strcmp(arg, "--out") == 0 && hasValue) {
      options->outDir = argv[++i];
    } else if ((strcmp(arg, "--dt") == 0 || strcmp(arg, "--duration") == 0 ||
                strcmp(arg, "--body-mass") == 0 || strcmp(arg, "--body-radius") == 0) &&
               hasValue) {
      FlightSettings &f = options->flight;
      double *target = strcmp(arg, "--dt") == 0          ? &f.step
                       : strcmp(arg, "--duration") == 0  ? &f.duration
                       : strcmp(arg, "--body-mass") == 0 ? &f.bodyMass
                                                         : &f.bodyRadius;
      if (!ParsePositive(argv[++i], target)) {
        FormatText(problem, problemSize, "%s expects a positive number, got \"%s\"", arg, argv[i]);
        return false;
      }
    } else if (strcmp(arg, "--steps") == 0 && hasValue) {
      if (!ParseCount(argv[++i], &options->steps)) {
        FormatText(problem, problemSize,
                   "--steps expects a whole number from 0 to 100000000, got \"%s\"", argv[i]);
        return false;
      }
    } else if (strncmp(arg, "--", 2) == 0 && !hasValue &&
               (strcmp(arg, "--module") == 0 || strcmp(arg, "--scenario") == 0 ||
                strcmp(arg, "--steps") == 0 || strcmp(arg, "--flight") == 0 ||
                strcmp(arg, "--out") == 0 || strcmp(arg, "--dt") == 0 ||
                strcmp(arg, "--duration") == 0 || strcmp(arg, "--body-mass") == 0 ||
                strcmp(arg, "--body-radius") == 0)) {
      FormatText(problem, problemSize, "%s expects a value", arg);
      return false;
    } else {
      FormatText(problem, problemSize, "unknown argument \"%s\"", arg);
      return false;
    }
  }
  if (options->scenarioPath != nullptr && options->flightPath != nullptr) {
    FormatText(problem, problemSize, "--scenario and --flight are two different runs: pick one");
    return false;
  }
  if (options->scenarioPath == nullptr && options->flightPath == nullptr && !options->info) {
    FormatText(problem, problemSize, "--scenario FILE or --flight FILE is required");
    return false;
  }
  if (options->flight.step > options->flight.duration) {
    FormatText(problem, problemSize, "--dt must not exceed --duration");
    return false;
  }
  return true;
}
