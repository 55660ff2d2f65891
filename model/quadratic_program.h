#pragma once

#include <string>
#include <vector>

namespace shaftline::model {

/// minimise ½·xᵀHx + cᵀx  subject to  lower ≤ x ≤ upper  and  rowLower ≤ A·x ≤ rowUpper.
struct QuadraticProgram {
    int n = 0;                         ///< unknowns
    std::vector<double> H;             ///< n×n, row-major, symmetric positive semidefinite
    std::vector<double> c;             ///< n
    std::vector<double> lower, upper;  ///< n each, or empty for none; ±infinity for a free side
    std::vector<double> A;             ///< m×n, row-major (m = rowLower.size())
    std::vector<double> rowLower, rowUpper;  ///< m each; ±infinity for a free side
};

struct QuadraticSolution {
    bool solved = false;  ///< false: infeasible or the solver failed (reason says which)
    std::string reason;   ///< Russian, for a message
    std::vector<double> x;  ///< n when solved
};

/// Active-set solution of a small dense convex quadratic program. The solver's point is
/// finished by an exact solve on the constraints it found active, so that the answer holds
/// to rounding rather than to the solver's stopping tolerance.
QuadraticSolution SolveQuadraticProgram(const QuadraticProgram& problem);

}  // namespace shaftline::model
