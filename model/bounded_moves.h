#pragma once

#include <vector>

#include "alignment_inputs.h"
#include "alignment_moves.h"

namespace shaftline {

/// The vertical moves of the weighted least-squares problem within the bearings' bounds, the
/// least sum of squared moves among all that reach its minimum; fixed supports stay at 0. Two
/// bounded quadratic programs: the least weighted misfit, then the least norm among the moves
/// that keep the readings it reached. The bounds must have passed ValidateFixingAndBounds.
OrProblem<std::vector<double>> BoundedMoves(const PlaneEquations& equations, int supportCount,
                                            const std::vector<BearingBound>& bounds);

/// Supports j whose move sits on its lowest or highest bound.
std::vector<int> BindingBounds(const std::vector<double>& moves,
                               const std::vector<BearingBound>& bounds);

}  // namespace shaftline
