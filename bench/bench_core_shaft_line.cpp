// The whole calculation of a long shaft line: 19 rotors of 50 sections each, solved, aligned
// from a middle rotor, support rises and three-state values of every rotor, chart points; and
// the same line rigidly coupled: loads, moments and axis in the three support states, the own
// loads and the influence coefficients.

#include <benchmark/benchmark.h>

#include <cmath>

#include "chart_points.h"
#include "coupled_shaft_line.h"
#include "fifty_section_line.h"
#include "shaft_line.h"
#include "support.h"

namespace {

using namespace shaftline;

using bench::FiftySectionRotor;

SupportData Supports(int k) {
    return bench::FiftySectionSupports(k);
}

void BM_WholeShaftLine(benchmark::State& state) {
    // The solver recomputes every result from the inputs, so each pass over the same records
    // does the whole work again.
    RotorArray rotors;
    for (int k = 1; k <= kMaxRotors; ++k) rotors[k] = FiftySectionRotor(k);
    for (auto _ : state) {
        if (!RunCalculation(rotors, kMaxRotors).empty()) state.SkipWithError("refused");
        AlignShaftLine(rotors, kMaxRotors, 9);
        double sink = 0;
        for (int k = 1; k <= kMaxRotors; ++k) {
            const SupportRises rises = ApplySupportRises(*rotors[k], Supports(k));
            sink += ComputeSupportStates(*rotors[k], rises).assemblyLeftElevation;
        }
        benchmark::DoNotOptimize(sink);
        benchmark::DoNotOptimize(NominalChartPoints(rotors, kMaxRotors));
        benchmark::DoNotOptimize(AssemblyChartPoints(rotors, kMaxRotors));
    }
}
BENCHMARK(BM_WholeShaftLine)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

void BM_CoupledShaftLine(benchmark::State& state) {
    RotorArray rotors;
    for (int k = 1; k <= kMaxRotors; ++k) rotors[k] = FiftySectionRotor(k);
    if (!RunCalculation(rotors, kMaxRotors).empty()) state.SkipWithError("refused");
    AlignShaftLine(rotors, kMaxRotors, 9);
    for (int k = 1; k <= kMaxRotors; ++k) ApplySupportRises(*rotors[k], Supports(k));
    for (auto _ : state) {
        OrProblem<CoupledShaftLine> coupled = CalcCoupledShaftLine(rotors, kMaxRotors);
        if (!coupled.value) state.SkipWithError("refused");
        benchmark::DoNotOptimize(coupled);
    }
}
BENCHMARK(BM_CoupledShaftLine)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

void BM_OneRotorDeflection(benchmark::State& state) {
    auto input = FiftySectionRotor(1);
    for (auto _ : state) {
        TRotor rotor = *input;
        rotor.CalcDeflection();
        benchmark::DoNotOptimize(rotor.GetLeftJournalAngle());
    }
}
BENCHMARK(BM_OneRotorDeflection)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
