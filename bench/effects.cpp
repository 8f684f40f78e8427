// Particle updates of the stage's effects without a canvas: snow, petals and rain
// moved and respawned a frame at a time. Every run also counts the heap
// allocations its frames make once the effect runs; the figure must be 0.
#include "bench/support/HeapCount.h"
#include "core/Random.h"
#include "game/stage/effect/Rain.h"
#include "game/stage/effect/WeatherEffect.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
constexpr int kParticles = 10000;
constexpr float kW = 1024, kH = 768;
} // namespace

namespace
{
template <typename Effect, typename... Args> void Run(benchmark::State &state, Args... args)
{
    hgl::InitRandomSeed(5489);
    Effect effect(args...);
    effect.SetArea(0, 0, kW, kH);
    for (int i = 0; i < 50; ++i) // until the effect is full
        effect.Step();
    const long before = hgl::bench::HeapAllocations();
    for (auto _ : state)
        effect.Step();
    state.counters["allocations"] = double(hgl::bench::HeapAllocations() - before);
    state.SetItemsProcessed(state.iterations() * effect.GetLive());
}

void Snow(benchmark::State &state)
{
    Run<hgl::WeatherEffect::Snow>(state, nullptr, kParticles, 1.0f, 5.0f);
}
void Petals(benchmark::State &state)
{
    Run<hgl::WeatherEffect::Leaf>(state, nullptr, kParticles, 15.0f, 5.0f);
}
void Rain(benchmark::State &state)
{
    Run<hgl::WeatherEffect::Rain1>(state, kParticles, 50.0f, 0.5f, 5.0f, 10.0f);
}
} // namespace

BENCHMARK(Snow);
BENCHMARK(Petals);
BENCHMARK(Rain);
BENCHMARK_MAIN();
