// The whole calculation of a long shaft line: 19 rotors of 50 sections each, solved, aligned
// from a middle rotor, support rises and three-state values of every rotor, chart points; and
// the same line rigidly coupled: loads, moments and axis in the three support states, the own
// loads and the influence coefficients.

#include <benchmark/benchmark.h>

#include <cmath>

#include "chart_points.h"
#include "coupled_shaft_line.h"
#include "shaft_line.h"
#include "support.h"

namespace {

using namespace shaftline;

std::unique_ptr<TRotor> FiftySectionRotor(int position) {
    auto rotor = std::make_unique<TRotor>();
    rotor->SetSectionCount(kMaxSections);
    rotor->SetShrunkOnDiscs(position % 4 != 1);
    for (int i = 1; i <= kMaxSections; ++i) {
        const double body = std::sin(3.14159 * i / kMaxSections);
        rotor->SetCoord(i, 100.0 * i + position);
        rotor->SetDiameter(i, 300 + 200 * body);
        rotor->SetInnerDiameter(i, i % 3 == 0 ? 60 : 0);
        rotor->SetDiscDiameter(i, i % 2 == 0 ? 1400 + 300 * body : 0);
        rotor->SetDiscThickness(i, i % 2 == 0 ? 90 + 10 * (i % 5) : 0);
        rotor->SetYoung(i, 2.1e4);
        rotor->SetBladeMass(i, i % 2 == 0 ? 1.5 : 0);
        rotor->SetBladeCount(i, i % 2 == 0 ? 96 : 0);
    }
    return rotor;
}

SupportData Supports(int k) {
    return {8000, 30.0 + k, 1200, 45, 900, 60, 0.12, -0.08, 0.03,
            8000, 31.0 + k, 1200, 46, 900, 62, 0.10, -0.06, 0.02};
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
