// Costs of the engine's hot paths: one integration step, one model tick, a new
// start, a new simulation and a snapshot for the views.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

#include "allocation_count.h"
#include "integration.h"
#include "model.h"
#include "new_simulation.h"

using namespace pellomarin;

namespace {

constexpr std::array<Masses, 2> massSets{{{1.0, 1.0, 1.0}, {1.0, 2.0, 3.0}}};
// Far beyond anything a sound run reaches, yet nowhere near overflow.
constexpr double runawayDistance = 1e6;
// How often the stepping benchmarks look for a runaway state: rare enough to
// cost nothing measurable, often enough that NaN never piles up.
constexpr std::int64_t checkEvery = 4096;

// The default G at the default 30 ms period (timeStep 1).
constexpr StepParameters defaults{1.0, 5.0};

// A realistic state: the first start drawn for masses 1, 2, 3.
BallList realisticStart() {
    RandomSource random(1);
    return *drawStart(massSets[1], random);
}

bool isSound(const Ball& b) {
    for (int k = 0; k < 3; ++k) {
        if (!(std::abs(b.position.vector[k]) < runawayDistance) ||
            !std::isfinite(b.movement.vector[k]))
            return false;
    }
    return true;
}

bool isSound(const std::array<Ball, 3>& balls) {
    return isSound(balls[0]) && isSound(balls[1]) && isSound(balls[2]);
}

// Counts the allocations made inside the timed loop, per iteration.
class AllocationsPerIteration {
public:
    explicit AllocationsPerIteration(benchmark::State& state_, const char* name_)
        : state(state_), name(name_), first(bench::allocationCount()) {}
    ~AllocationsPerIteration() {
        state.counters[name] =
            benchmark::Counter(static_cast<double>(bench::allocationCount() - first),
                               benchmark::Counter::kAvgIterations);
    }

private:
    benchmark::State& state;
    const char* name;
    std::uint64_t first;
};

void BM_Step(benchmark::State& state) {
    const BallList balls = realisticStart();
    const std::array<Ball, 3> initial{*balls[0], *balls[1], *balls[2]};
    std::int64_t restarts = 0;
    std::int64_t sinceCheck = 0;
    {
        const AllocationsPerIteration allocations(state, "allocs/step");
        for (auto _ : state) {
            step(balls, defaults);
            benchmark::ClobberMemory();
            if (++sinceCheck < checkEvery)
                continue;
            sinceCheck = 0;
            if (!isSound({*balls[0], *balls[1], *balls[2]})) {
                for (int i = 0; i < 3; ++i)
                    *balls[i] = initial[i];
                ++restarts;
            }
        }
    }
    state.counters["restarts"] = static_cast<double>(restarts);
}
BENCHMARK(BM_Step);

// A tick without a timer: the work queue's turn, the ball lock, the step and
// the step count, as the timer's thread runs it. No main thread to post to.
void BM_ModelTick(benchmark::State& state) {
    const auto model = Model::make(realisticStart());
    model->start(30.0, defaults.gravitationalConstant);
    model->suspendOrResume();  // ticks come from this loop only
    std::int64_t restarts = 0;
    std::int64_t sinceCheck = 0;
    {
        const AllocationsPerIteration allocations(state, "allocs/tick");
        for (auto _ : state) {
            model->tick();
            if (++sinceCheck < checkEvery)
                continue;
            sinceCheck = 0;
            if (!isSound(model->snapshot())) {
                model->restart();
                ++restarts;
            }
        }
    }
    state.counters["restarts"] = static_cast<double>(restarts);
}
BENCHMARK(BM_ModelTick);

void setMassLabel(benchmark::State& state, const Masses& m) {
    state.SetLabel("masses " + std::to_string(static_cast<int>(m[0])) + "," +
                   std::to_string(static_cast<int>(m[1])) + "," +
                   std::to_string(static_cast<int>(m[2])));
}

// One generator for the whole run, so that every iteration draws a different start.
void BM_DrawStart(benchmark::State& state) {
    const Masses& m = massSets[static_cast<std::size_t>(state.range(0))];
    RandomSource random(1);
    {
        const AllocationsPerIteration allocations(state, "allocs/op");
        for (auto _ : state) {
            auto balls = drawStart(m, random);
            benchmark::DoNotOptimize(balls);
        }
    }
    setMassLabel(state, m);
}
BENCHMARK(BM_DrawStart)->Arg(0)->Arg(1);

// What New Simulation costs before the timer starts: the start, the model
// with its starting copies, and finally its destruction.
void BM_NewSimulation(benchmark::State& state) {
    const Masses& m = massSets[static_cast<std::size_t>(state.range(0))];
    RandomSource random(1);
    {
        const AllocationsPerIteration allocations(state, "allocs/op");
        for (auto _ : state) {
            auto model = newSimulation(m, random);
            benchmark::DoNotOptimize(model);
        }
    }
    setMassLabel(state, m);
}
BENCHMARK(BM_NewSimulation)->Arg(0)->Arg(1);

void BM_Snapshot(benchmark::State& state) {
    const auto model = Model::make(realisticStart());
    const AllocationsPerIteration allocations(state, "allocs/op");
    for (auto _ : state) {
        auto balls = model->snapshot();
        benchmark::DoNotOptimize(balls);
    }
}
BENCHMARK(BM_Snapshot);

}  // namespace

BENCHMARK_MAIN();
