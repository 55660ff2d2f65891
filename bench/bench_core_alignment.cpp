// The alignment on site of the long shaft line: 19 records of 50 sections each (10 rotors,
// 9 couplings, 20 bearings), aligned from a middle record, with as-found readings at every
// coupling: targets, verdicts, the bearing moves of both planes and the loads as found; once
// exactly and once with bounds on the vertical moves through the quadratic-program solver.

#include <benchmark/benchmark.h>

#include <cmath>

#include "coupling_alignment.h"
#include "fifty_section_line.h"
#include "support.h"

namespace {

using namespace shaftline;

using bench::FiftySectionRotor;

struct FullLine {
    RotorArray rotors;
    CoupledShaftLine coupled;
    AlignmentInputs inputs;
};

FullLine MakeFullLine() {
    FullLine line;
    for (int k = 1; k <= kMaxRotors; ++k) line.rotors[k] = FiftySectionRotor(k);
    RunCalculation(line.rotors, kMaxRotors);
    AlignShaftLine(line.rotors, kMaxRotors, 9);
    for (int k = 1; k <= kMaxRotors; ++k) {
        ApplySupportRises(*line.rotors[k], {8000, 30.0 + k, 1200, 45, 900, 60, 0.12, -0.08, 0.03,
                                            8000, 31.0 + k, 1200, 46, 900, 62, 0.1, -0.06, 0.02});
    }
    line.coupled = *CalcCoupledShaftLine(line.rotors, kMaxRotors).value;
    for (int m = 1; m <= 9; ++m) {
        CouplingInput in;
        in.number = m;
        in.diameter = 600;
        in.offsetTolerance = in.gapTolerance = 0.03;
        in.foundVertical = PlaneInput{0.1 * std::sin(m), 0.05 * std::cos(m), {}};
        in.foundHorizontal = PlaneInput{-0.08 * std::cos(m), 0.02 * std::sin(m), {}};
        line.inputs.couplings.push_back(in);
    }
    return line;
}

void Run(benchmark::State& state, const FullLine& line) {
    for (auto _ : state) {
        OrProblem<AlignmentResult> r =
            CalcAlignment(line.rotors, kMaxRotors, 9, line.coupled, line.inputs);
        if (!r.value) state.SkipWithError(r.problem.c_str());
        benchmark::DoNotOptimize(r);
    }
}

void BM_AlignmentExact(benchmark::State& state) {
    Run(state, MakeFullLine());
}
BENCHMARK(BM_AlignmentExact)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

void BM_AlignmentBounded(benchmark::State& state) {
    FullLine line = MakeFullLine();
    // Shims of ±0.05 mm at every other bearing: several of them bind.
    for (int j = 0; j < 20; j += 2) line.inputs.bounds.push_back({j, -0.05, 0.05});
    Run(state, line);
}
BENCHMARK(BM_AlignmentBounded)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
