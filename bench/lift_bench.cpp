// The per-step cost: the lift model alone, and one opcTimestep per vessel
// against the in-process recording host (its call log included, as a real
// host's bookkeeping would be).
#include <benchmark/benchmark.h>

#include <vector>

#include "hostsim/recording_host.h"
#include "lift/lift_model.h"
#include "module/module_api.h"

namespace {

void BM_ComputeLift(benchmark::State &state) {
  LIFTINPUT in{1.2, 1000, 10, 6e24, 6.4e6, 1500, 0.1, 0.05};
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    LIFTRESULT r = ComputeLift(in);
    benchmark::DoNotOptimize(r);
    in.altitude += 0.25;  // keep the inputs moving
  }
}
BENCHMARK(BM_ComputeLift);

void BM_TimestepPerVessel(benchmark::State &state) {
  const int count = static_cast<int>(state.range(0));
  std::vector<HostVessel> vessels(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    HostVessel &v = vessels[static_cast<size_t>(i)];
    v = HostVessel{};
    v.atmDensity = 1.2 - 0.001 * i;
    v.mass = 100 + i;
    v.size = 5 + 0.01 * i;
    v.altitude = 10.0 * i;
    v.bank = 0.001 * i;
    v.pitch = -0.001 * i;
    v.body = HostBody{5.972e24, 6.371e6};
  }
  HostSetVessels(vessels.data(), static_cast<unsigned>(count));
  for (auto _ : state) {
    HostBeginStep();
    opcTimestep(0, 0.1, 51544.5);
    HostEndStep();
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.counters["per_vessel"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * count,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TimestepPerVessel)->Arg(1)->Arg(100)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
