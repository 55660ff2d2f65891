#pragma once

#include <optional>
#include <string>
#include <vector>

#include "alignment_inputs.h"
#include "bracket_readings.h"
#include "coupled_line.h"
#include "coupling_tolerance.h"
#include "least_norm_solve.h"

namespace shaftline {

/// One coupling as the moves see it: where it is, what was found, what is wanted.
struct MovedCoupling {
    CouplingGeometry geometry;
    PlaneReadings found;
    CouplingReading target;  ///< vertical; the horizontal target is 0
    CouplingTolerance tolerance;
};

/// Moves of the bearings J0..J(n) (mm): vertical positive up, horizontal positive to the right
/// looking from rotor 1.
struct BearingMoves {
    std::vector<int> fixed;  ///< supports j held in place
    std::vector<double> vertical;
    std::vector<double> horizontal;
    std::vector<int> binding;  ///< supports j whose vertical move sits on one of its bounds
};

/// The supports held by default: both bearings of the base record (of rotor 1 without one);
/// record k stands on J(k−1) and J(k).
std::vector<int> DefaultFixedSupports(std::optional<int> base);

/// The weighted equations of one plane over the free supports: per coupling the offset row
/// (1/T_o) and the angular row (D/T_Δ, or 1000/T_Δ for an angle in mm/m), with T = 1 where no
/// tolerance is given; right-hand sides target − found. column[j] is the unknown of support j,
/// or −1 for a fixed one.
struct PlaneEquations {
    DenseMatrix matrix;
    std::vector<double> rhs;
    std::vector<int> column;
};
PlaneEquations EquationsOf(const std::vector<MovedCoupling>& couplings, bool vertical,
                           int supportCount, const std::vector<int>& fixed);

/// The moves that bring the readings closest to the targets in the weighted least-squares
/// sense, the least sum of squared moves among all that do; fixed supports stay at 0.
std::vector<double> LeastSquaresMoves(const PlaneEquations& equations, int supportCount);

/// The moves of both planes without bounds. supportCount = n + 1.
BearingMoves ExactMoves(const std::vector<MovedCoupling>& couplings, int supportCount,
                        const std::vector<int>& fixed);

/// The readings after a plane's moves: the found ones changed by the rigid motions of the
/// halves.
CouplingReading ReadingAfter(const MovedCoupling& coupling, bool vertical,
                             const std::vector<double>& moves);

/// Why the fixed supports and the bounds cannot be used (Russian), or empty: a support outside
/// J0..J(n), a lowest move above the highest, a fixed support whose bounds exclude 0, and bounds
/// while the fixed supports leave a rigid lift or tilt of the line free (fewer than two fixed
/// supports at distinct places). x are the supports' places along the line (mm).
std::string ValidateFixingAndBounds(const std::vector<int>& fixed,
                                    const std::vector<BearingBound>& bounds,
                                    const std::vector<double>& x);

}  // namespace shaftline
