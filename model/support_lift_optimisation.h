#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "coupled_shaft_line.h"
#include "support_lift_task.h"

namespace shaftline {

/// One support state before and after the lifts.
struct LiftedState {
    SupportState state = SupportState::kNominal;
    CoupledState before, after;
    /// kgf/cm², per support; none where no journal is given.
    std::vector<std::optional<double>> pressuresBefore, pressuresAfter;
};

/// A limit the chosen lifts do not meet, and the load there (kgf).
struct LoadViolation {
    LoadConstraint constraint;
    double load = 0;
};

/// The lifts d(J0..J(n)) (mm, upward, added to the elevations of every state) that bring the
/// loads of the counted states nearest their targets: the minimum of
///   Σ over the counted states s and all supports j of ((R_s,j(d) − R*_j) / R*_j)²,
/// where R_s(d) = R_s + A·d with A the influence matrix.
struct SupportLiftOptimum {
    std::vector<double> lifts;  ///< mm, 0 at the fixed supports
    /// False when no lifts meet every limit: the lifts are then the optimum under the fixed
    /// supports and the lift ranges alone, and `violated` lists every limit they break.
    bool feasible = true;
    std::vector<LoadViolation> violated;
    double objectiveBefore = 0;  ///< the objective at d = 0
    double objectiveAfter = 0;
    std::vector<LiftedState> states;  ///< nominal and assembly, counted or not
};

/// Chooses the lifts for `task` on the coupled line, `baseRotor` (0: none) giving the default
/// fixed supports. With fewer than two fixed supports the optimum is not unique (a rigid lift
/// or tilt changes no load) and the least-norm lifts among the optima are returned. The
/// problem says why there is no answer: an invalid task, a solver failure.
OrProblem<SupportLiftOptimum> OptimiseSupportLifts(const CoupledShaftLine& coupled, const SupportLiftTask& task,
                                                   int baseRotor);

/// "поднять опору 3 на 0.125 мм", "опустить опору 3 на 0.125 мм" (support j numbered from 1,
/// the lift to kCoupledLengthDecimals), or "опора 3 остается на месте" when it rounds to 0.
std::string LiftPhrase(int support, double lift, std::string_view decimalSeparator);

}  // namespace shaftline
