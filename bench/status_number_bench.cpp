// The number rendering side by side with the C library's routes, on two
// mixes: the five numbers of realistic status lines (balloons to airships)
// and random finite bit patterns. snprintf("%.5g") is a speed baseline
// only (its text differs); to_chars(scientific, 16) is the standard
// library's exact route to 17 digits, before any five-digit rounding.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "hostsim/recording_host.h"
#include "lift/lift_model.h"
#include "lift/status_line.h"
#include "lift/status_number.h"

namespace {

std::vector<double> RealisticNumbers() {
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<double> numbers;
  for (int i = 0; i < 1024; ++i) {
    const double size = 0.05 * std::pow(1600.0, unit(random));  // 5 cm .. 80 m
    const double mass = 0.5 * size * size * size * (0.05 + unit(random));
    const LIFTINPUT in{1.225 * std::exp(-unit(random) * 3),
                       mass,
                       size,
                       5.972e24,
                       6.371e6,
                       30000 * unit(random),
                       0,
                       0};
    const LIFTRESULT r = ComputeLift(in);
    for (double v : {mass, size, r.volume, r.meanDensity, r.lift}) numbers.push_back(v);
  }
  return numbers;
}

std::vector<double> RandomNumbers() {
  std::mt19937_64 random(2);
  std::vector<double> numbers;
  while (numbers.size() < 5120) {
    const uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v)) numbers.push_back(v);
  }
  return numbers;
}

const std::vector<double> &Mix(int which) {
  static const std::vector<double> realistic = RealisticNumbers();
  static const std::vector<double> random = RandomNumbers();
  return which == 0 ? realistic : random;
}

template <typename Render>
void RunOverMix(benchmark::State &state, Render render) {
  const std::vector<double> &numbers = Mix(static_cast<int>(state.range(0)));
  state.SetLabel(state.range(0) == 0 ? "realistic" : "random bits");
  char out[64];
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(render(numbers[i], out));
    benchmark::ClobberMemory();
    i = i + 1 == numbers.size() ? 0 : i + 1;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_FormatStatusNumber(benchmark::State &state) {
  RunOverMix(state, [](double v, char *out) { return FormatStatusNumber(v, out); });
}
void BM_Snprintf5g(benchmark::State &state) {
  RunOverMix(state, [](double v, char *out) { return std::snprintf(out, 64, "%.5g", v); });
}
void BM_ToCharsScientific16(benchmark::State &state) {
  RunOverMix(state, [](double v, char *out) {
    return std::to_chars(out, out + 64, v, std::chars_format::scientific, 16).ptr - out;
  });
}
BENCHMARK(BM_FormatStatusNumber)->Arg(0)->Arg(1);
BENCHMARK(BM_Snprintf5g)->Arg(0)->Arg(1);
BENCHMARK(BM_ToCharsScientific16)->Arg(0)->Arg(1);

// A whole line into the recording host's buffer, realistic numbers.
void BM_WriteStatusLine(benchmark::State &state) {
  const std::vector<double> &numbers = Mix(0);
  size_t i = 0;
  for (auto _ : state) {
    WriteStatusLine(numbers[i], numbers[i + 1], numbers[i + 2], numbers[i + 3], numbers[i + 4]);
    benchmark::ClobberMemory();
    HostClearCalls();  // keep the host's call log from growing
    i = i + 5 == numbers.size() ? 0 : i + 5;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteStatusLine);

}  // namespace
