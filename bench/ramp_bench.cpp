// Cost of building one level's ramp and of estimating a level from a captured ramp.
#include <benchmark/benchmark.h>

#include "gamma/ramps.h"

namespace {

void BM_BuildRamp(benchmark::State& state) {
    int level = lumeq::kLevelMin;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lumeq::BuildRamp(lumeq::ExponentOfLevel(level)));
        level = level == lumeq::kLevelMax ? lumeq::kLevelMin : level + 1;
    }
}
BENCHMARK(BM_BuildRamp);

void BM_EstimateLevel(benchmark::State& state) {
    const lumeq::GammaRamp ramp = lumeq::BuildRamp(lumeq::ExponentOfLevel(37));
    for (auto _ : state) benchmark::DoNotOptimize(lumeq::EstimateLevel(ramp));
}
BENCHMARK(BM_EstimateLevel);

}  // namespace

BENCHMARK_MAIN();
