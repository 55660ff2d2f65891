#pragma once

#include <optional>
#include <vector>

#include "alignment_inputs.h"
#include "alignment_moves.h"
#include "coupled_shaft_line.h"
#include "loads_as_found.h"

namespace shaftline {

/// Whether each plane of a coupling is within its tolerance.
struct PlaneVerdicts {
    bool vertical = false;
    bool horizontal = false;
};

/// Everything the alignment on site says about one coupling.
struct CouplingAlignment {
    CouplingGeometry geometry;  ///< with the plane and the diameter entered
    int leftRotor = 0;
    int rightRotor = 0;
    StateReadings targets;  ///< by SupportState; the assembly ones are the targets
    CouplingTolerance tolerance;
    std::optional<PlaneReadings> found;
    std::optional<BracketClosure> closure;     ///< with bracket readings
    std::optional<PlaneVerdicts> inTolerance;  ///< with tolerances and readings
    std::optional<PlaneReadings> after;        ///< with readings and moves
    std::optional<PlaneVerdicts> inToleranceAfter;
};

struct AlignmentResult {
    std::vector<CouplingAlignment> couplings;
    std::optional<BearingMoves> moves;         ///< when any coupling has readings
    std::optional<LoadsAsFound> loadsAsFound;  ///< when any coupling has readings
};

/// The alignment on site of rotors 1..count, calculated and aligned to `base` (none: not
/// aligned), with the coupled line of the same records: targets of every coupling, the
/// as-found readings and verdicts, the moves (bounded through the quadratic-program solver when
/// bounds are given) with the readings after them, and the loads as found. lifts raise the
/// elevations of every state (mm per support, may be empty). Refuses inputs naming a coupling
/// the line has not, unusable readings, fixing or bounds, and a bounded problem the solver
/// cannot settle.
OrProblem<AlignmentResult> CalcAlignment(const RotorArray& rotors, int count,
                                         std::optional<int> base, const CoupledShaftLine& coupled,
                                         const AlignmentInputs& inputs,
                                         const std::vector<double>& lifts = {});

}  // namespace shaftline
