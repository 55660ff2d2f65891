// The choice of the support lifts on the longest line (20 supports, 18 free with rotor 9's
// held): both support states counted, targets the own loads.

#include <benchmark/benchmark.h>

#include "coupled_shaft_line.h"
#include "fifty_section_line.h"
#include "support_lift_optimisation.h"

namespace {

using namespace shaftline;

CoupledShaftLine Coupled(benchmark::State& state) {
    RotorArray rotors;
    if (!bench::FiftySectionLine(rotors)) state.SkipWithError("refused");
    OrProblem<CoupledShaftLine> coupled = CalcCoupledShaftLine(rotors, kMaxRotors);
    if (!coupled.value) state.SkipWithError("refused");
    return coupled.value ? std::move(*coupled.value) : CoupledShaftLine{};
}

void Optimise(benchmark::State& state, const SupportLiftTask& task) {
    const CoupledShaftLine coupled = Coupled(state);
    bool feasible = true;
    for (auto _ : state) {
        OrProblem<SupportLiftOptimum> optimum = OptimiseSupportLifts(coupled, task, 9);
        if (!optimum.value) state.SkipWithError("refused");
        feasible = optimum.value && optimum.value->feasible;
        benchmark::DoNotOptimize(optimum);
    }
    state.counters["feasible"] = feasible ? 1 : 0;
}

void BM_SupportLiftsUnconstrained(benchmark::State& state) {
    Optimise(state, SupportLiftTask{});
}
BENCHMARK(BM_SupportLiftsUnconstrained)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

// A band of ±20 %, at least 500 kgf everywhere, and every lift within ±2 mm.
void BM_SupportLiftsBandMinLoadRanges(benchmark::State& state) {
    SupportLiftTask task;
    task.bandPercent = 20;
    task.minLoad = 500;
    task.ranges.assign(kMaxRotors + 1, LiftRange{-2, 2});
    Optimise(state, task);
}
BENCHMARK(BM_SupportLiftsBandMinLoadRanges)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
