#include "bounded_moves.h"

#include <cmath>
#include <limits>

#include "quadratic_program.h"

namespace shaftline {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}

// A move within a micron of a bound sits on it: far below any shim, far above the solver's
// rounding.
bool OnBound(double move, double bound) {
    return std::fabs(move - bound) <= 1e-6;
}

void ColumnBounds(const PlaneEquations& eq, const std::vector<BearingBound>& bounds,
                  model::QuadraticProgram& qp) {
    qp.lower.assign(At(qp.n), -kInfinity);
    qp.upper.assign(At(qp.n), kInfinity);
    for (const BearingBound& b : bounds) {
        const int column = eq.column[At(b.support)];
        if (column < 0) continue;
        qp.lower[At(column)] = std::max(qp.lower[At(column)], b.moveMin);
        qp.upper[At(column)] = std::min(qp.upper[At(column)], b.moveMax);
    }
}

// ‖M·x − b‖² as ½·xᵀ(2MᵀM)x + (−2Mᵀb)ᵀx.
model::QuadraticProgram Misfit(const PlaneEquations& eq) {
    const DenseMatrix& m = eq.matrix;
    model::QuadraticProgram qp;
    qp.n = m.cols;
    qp.H.assign(At(m.cols * m.cols), 0.0);
    qp.c.assign(At(m.cols), 0.0);
    for (int i = 0; i < m.cols; ++i) {
        for (int r = 0; r < m.rows; ++r) qp.c[At(i)] -= 2 * m(r, i) * eq.rhs[At(r)];
        for (int j = 0; j < m.cols; ++j) {
            double s = 0;
            for (int r = 0; r < m.rows; ++r) s += m(r, i) * m(r, j);
            qp.H[At(i * m.cols + j)] = 2 * s;
        }
    }
    return qp;
}

// ½‖x‖² over the moves that keep M·x where the first program left it. When the solver cannot
// hold those rows, the first program's minimiser stands.
model::QuadraticProgram LeastNorm(const PlaneEquations& eq, const std::vector<double>& reached) {
    const DenseMatrix& m = eq.matrix;
    model::QuadraticProgram qp;
    qp.n = m.cols;
    qp.H.assign(At(m.cols * m.cols), 0.0);
    for (int i = 0; i < m.cols; ++i) qp.H[At(i * m.cols + i)] = 1;
    qp.c.assign(At(m.cols), 0.0);
    qp.A = m.values;
    for (int r = 0; r < m.rows; ++r) {
        double v = 0;
        for (int j = 0; j < m.cols; ++j) v += m(r, j) * reached[At(j)];
        qp.rowLower.push_back(v);
        qp.rowUpper.push_back(v);
    }
    return qp;
}

// The moves of all supports from those of the free ones.
std::vector<double> Scatter(const PlaneEquations& eq, const std::vector<double>& x,
                            int supportCount) {
    std::vector<double> moves(At(supportCount), 0.0);
    for (int j = 0; j < supportCount; ++j) {
        const int column = eq.column[At(j)];
        if (column >= 0) moves[At(j)] = x[At(column)];
    }
    return moves;
}

}  // namespace

OrProblem<std::vector<double>> BoundedMoves(const PlaneEquations& eq, int supportCount,
                                            const std::vector<BearingBound>& bounds) {
    if (eq.matrix.cols == 0) return {std::vector<double>(At(supportCount), 0.0), {}};
    model::QuadraticProgram first = Misfit(eq);
    ColumnBounds(eq, bounds, first);
    const model::QuadraticSolution misfit = model::SolveQuadraticProgram(first);
    if (!misfit.solved) return {std::nullopt, "Перемещения опор не найдены: " + misfit.reason};
    // With independent columns the misfit has one minimiser: it is the least-norm one.
    if (LeastNormSolution(eq.matrix, eq.rhs).rank == eq.matrix.cols) {
        return {Scatter(eq, misfit.x, supportCount), {}};
    }
    model::QuadraticProgram second = LeastNorm(eq, misfit.x);
    second.lower = first.lower;
    second.upper = first.upper;
    const model::QuadraticSolution least = model::SolveQuadraticProgram(second);
    return {Scatter(eq, least.solved ? least.x : misfit.x, supportCount), {}};
}

std::vector<int> BindingBounds(const std::vector<double>& moves,
                               const std::vector<BearingBound>& bounds) {
    std::vector<int> binding;
    for (const BearingBound& b : bounds) {
        const double move = moves[At(b.support)];
        if ((OnBound(move, b.moveMin) || OnBound(move, b.moveMax)) &&
            (binding.empty() || binding.back() != b.support)) {
            binding.push_back(b.support);
        }
    }
    return binding;
}

}  // namespace shaftline
