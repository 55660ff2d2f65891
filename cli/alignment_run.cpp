#include "alignment_run.h"

namespace shaftline::cli {

AlignmentRun RunAlignment(const ShaftLineRun& run) {
    AlignmentRun out;
    out.lifts = run.lifts;
    OrProblem<CoupledShaftLine> coupled = CalcCoupledShaftLine(run.rotors, run.count, run.lifts);
    if (!coupled.value) return out;
    out.coupled = std::move(coupled.value);
    OrProblem<AlignmentResult> result =
        CalcAlignment(run.rotors, run.count, run.baseRotor, *out.coupled, run.alignment);
    out.result = std::move(result.value);
    out.refusal = std::move(result.problem);
    return out;
}

}  // namespace shaftline::cli
