#pragma once

#include <array>
#include <vector>
#include <vector>

#include "coupled_influence.h"
#include "coupled_line.h"
#include "coupled_states.h"

namespace shaftline {

/// Rotors 1..n rigidly coupled: the support loads, the support moments and the axis in the
/// three support states, the loads with the couplings open (in the supports) and the influence
/// coefficients. Disc stiffening and shear deformation are not included.
struct CoupledShaftLine {
    CoupledLine line;
    std::array<CoupledState, kSupportStateCount> states;  ///< indexed by SupportState
    std::vector<std::vector<double>> influence;           ///< kgf/mm, [loaded][lifted]

    const CoupledState& State(SupportState state) const {
        return states[static_cast<std::size_t>(state)];
    }
};

/// The coupled shaft line of rotors 1..count as the last calculation run, alignment and
/// support rises left the records, with the support lifts in force (mm per support, J0 first;
/// missing ones 0) added to the elevations of every state. Refuses what PrepareCoupledLine
/// refuses, and elevations or results that are not finite.
OrProblem<CoupledShaftLine> CalcCoupledShaftLine(const RotorArray& rotors, int count,
                                                 const std::vector<double>& lifts = {});

}  // namespace shaftline
