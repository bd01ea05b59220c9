#include "hostsim/flight_run.h"

#include "hostsim/flight_plan.h"
#include "hostsim/module_session.h"
#include "hostsim/number_text.h"
#include "hostsim/sim_libc.h"
#include "hostsim/standard_atmosphere.h"

namespace {

// Trajectories keep at most this many samples a vessel: enough for a plot
// and a table, and a thousand vessels stay within memory.
constexpr unsigned MAX_SAMPLES = 1000;

struct Sample {
  float time, altitude, velocity, density, lift, weight;
};

// A progress bar on stderr, shown once a run has taken a second and only
// on a terminal.
struct Progress {
  bool enabled;
  clock_t start;
  int shown;
};

void ShowProgress(Progress &p, unsigned done, unsigned total) {
  if (!p.enabled) return;
  const double elapsed = static_cast<double>(clock() - p.start) / CLOCKS_PER_SEC;
  const int percent = static_cast<int>(100.0 * done / total);
  if (elapsed < 1.0 || percent == p.shown) return;
  p.shown = percent;
  char bar[41];
  for (int i = 0; i < 40; ++i) bar[i] = i < percent * 40 / 100 ? '#' : '.';
  bar[40] = '\0';
  fprintf(stderr, "\r  flying [%s] %3d%%", bar, percent);
  if (done == total) fputc('\n', stderr);
  fflush(stderr);
}

// A file name from a vessel's name: its index, then letters, digits, '-'
// and '_' kept and everything else made '_'.
void TrajectoryName(char *out, size_t size, unsigned index, const char *name) {
  char safe[48];
  size_t n = 0;
  for (; name[n] != '\0' && n + 1 < sizeof safe; ++n) {
    const char c = name[n];
    const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '_';
    safe[n] = keep ? c : '_';
  }
  safe[n] = '\0';
  FormatText(out, size, "%03u-%s.csv", index, safe);
}

void PrintTable(const HostVessel *vessels, const FlightState *states, unsigned count) {
  printf("%-20s %14s %16s %14s %14s\n", "vessel", "mean density", "float altitude", "end altitude",
         "end speed");
  printf("%-20s %14s %16s %14s %14s\n", "", "kg/m3", "m", "m", "m/s");
  for (unsigned i = 0; i < count; ++i) {
    const double density = MeanDensity(vessels[i]);
    double floatAltitude = 0;
    char floatText[32];
    if (FloatAltitude(density, &floatAltitude)) {
      FormatText(floatText, sizeof floatText, "%.1f", floatAltitude);
    } else {
      FormatText(floatText, sizeof floatText, "%s",
                 density > StandardAtmosphereDensity(0) ? "none" : "above 86000");
    }
    printf("%-20s %14.6g %16s %14.1f %14.3f\n", vessels[i].name, density, floatText,
           vessels[i].altitude, states[i].velocity);
  }
}

bool WriteTrajectories(const char *dir, const HostVessel *vessels, const Sample *samples,
                       unsigned count, unsigned sampleCount) {
  for (unsigned i = 0; i < count; ++i) {
    char name[96], path[4200];
    TrajectoryName(name, sizeof name, i, vessels[i].name);
    FormatText(path, sizeof path, "%s/%s", dir, name);
    FILE *out = fopen(path, "w");
    if (out == nullptr) {
      fprintf(stderr, "hostsim: cannot write %s\n", path);
      return false;
    }
    fputs("time,altitude,vertical_speed,air_density,lift,weight\n", out);
    for (unsigned s = 0; s < sampleCount; ++s) {
      const Sample &x = samples[static_cast<size_t>(s) * count + i];
      fprintf(out, "%.3f,%.3f,%.4f,%.6g,%.6g,%.6g\n", x.time, x.altitude, x.velocity, x.density,
              x.lift, x.weight);
    }
    fclose(out);
  }
  return true;
}

// A gnuplot script beside the trajectories, run once for PNG and once for
// SVG: altitude over time for every vessel, and its predicted float
// altitude as a dashed line of the same colour.
bool WritePlot(const char *dir, const HostVessel *vessels, unsigned count, double duration) {
  char script[4200];
  FormatText(script, sizeof script, "%s/altitude.gp", dir);
  FILE *gp = fopen(script, "w");
  if (gp == nullptr) return false;
  fputs(
      "set datafile separator ','\n"
      "set key outside right top\n"
      "set xlabel 'time (s)'\nset ylabel 'altitude (m)'\n"
      "set title 'Vessels lifted by vantrel: altitude, and predicted float altitude (dashed)'\n"
      "set grid\n",
      gp);
  fprintf(gp, "set xrange [0:%g]\n", duration);
  fputs(
      "do for [format in 'png svg'] {\n"
      "  if (format eq 'png') { set terminal pngcairo size 1200,700 font 'Sans,10' }\n"
      "  else { set terminal svg size 1200,700 font 'Sans,10' }\n"
      "  set output 'altitude.'.format\n"
      "  plot \\\n",
      gp);
  for (unsigned i = 0; i < count; ++i) {
    char name[96];
    TrajectoryName(name, sizeof name, i, vessels[i].name);
    double floatAltitude = 0;
    const bool floats = FloatAltitude(MeanDensity(vessels[i]), &floatAltitude);
    fprintf(gp, "    '%s' using 1:2 skip 1 with lines lw 2 lc %u title '%s'", name, i + 1,
            vessels[i].name);
    if (floats) {
      fprintf(gp, ", \\\n    %.3f with lines dt 2 lc %u notitle", floatAltitude, i + 1);
    }
    fputs(i + 1 < count ? ", \\\n" : "\n", gp);
  }
  fputs("}\n", gp);
  fclose(gp);
  char command[4400];
  FormatText(command, sizeof command, "cd '%s' && gnuplot altitude.gp", dir);
  return system(command) == 0;
}

}  // namespace

int RunFlight(const HostOptions &options) {
  HostVessel *vessels = nullptr;
  unsigned count = 0;
  CsvError error;
  if (!LoadFlightPlan(options.flightPath, &vessels, &count, &error)) {
    fprintf(stderr, "hostsim: %s\n", error.message);
    return 2;
  }
  if (options.outDir != nullptr && !SimMakeDirectory(options.outDir)) {
    fprintf(stderr, "hostsim: cannot create the directory %s\n", options.outDir);
    free(vessels);
    return 2;
  }
  const FlightSettings &settings = options.flight;
  FlightState *states = static_cast<FlightState *>(calloc(count == 0 ? 1 : count, sizeof *states));
  for (unsigned i = 0; i < count; ++i) PrepareFlightVessel(&vessels[i], &states[i], settings);
  HostSetVessels(vessels, count);

  ModuleSession session;
  if (!OpenModuleSession(options, &session)) {
    free(states);
    free(vessels);
    return 1;
  }
  const TimestepFunction timestep = FindSessionTimestep(session);
  if (timestep == nullptr) {
    CloseModuleSession(&session);
    free(states);
    free(vessels);
    return 1;
  }

  const unsigned steps = static_cast<unsigned>(floor(settings.duration / settings.step + 0.5));
  const unsigned stride = steps / MAX_SAMPLES + 1;
  const unsigned sampleCount = steps / stride + 1;
  Sample *samples = nullptr;
  if (options.outDir != nullptr) {
    samples = static_cast<Sample *>(
        calloc(static_cast<size_t>(sampleCount) * (count ? count : 1), sizeof(Sample)));
  }
  HostSetCallLogging(false);  // millions of calls: only the turns are kept
  Progress progress = {SimIsTerminal(stderr) != 0, clock(), -1};
  unsigned sampled = 0;
  for (unsigned step = 0; step <= steps; ++step) {
    const double time = step * settings.step;
    if (samples != nullptr && step % stride == 0 && sampled < sampleCount) {
      for (unsigned i = 0; i < count; ++i) {
        samples[static_cast<size_t>(sampled) * count + i] =
            Sample{static_cast<float>(time),
                   static_cast<float>(vessels[i].altitude),
                   static_cast<float>(states[i].velocity),
                   static_cast<float>(vessels[i].atmDensity),
                   static_cast<float>(states[i].lift),
                   static_cast<float>(states[i].weight)};
      }
      ++sampled;
    }
    if (step == steps) break;
    FlightStep(vessels, states, count, settings, timestep, time);
    ShowProgress(progress, step + 1, steps);
  }
  HostSetCallLogging(true);
  CloseModuleSession(&session);

  printf("flight of %u vessel%s for %g s at a step of %g s\n\n", count, count == 1 ? "" : "s",
         settings.duration, settings.step);
  PrintTable(vessels, states, count);
  int status = 0;
  if (options.outDir != nullptr) {
    if (!WriteTrajectories(options.outDir, vessels, samples, count, sampled)) {
      status = 2;
    } else if (!WritePlot(options.outDir, vessels, count, settings.duration)) {
      fprintf(stderr, "hostsim: gnuplot failed; the trajectories are in %s\n", options.outDir);
    } else {
      printf("\ntrajectories and altitude.png, altitude.svg written to %s\n", options.outDir);
    }
  }
  free(samples);
  free(states);
  free(vessels);
  return status;
}
