#include "quadratic_program.h"

#include <optimization.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace shaftline::model {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// One side of a constraint a·x ≥ bound (lower) or a·x ≤ bound (upper); an equality is both.
struct Side {
    std::vector<double> a;
    double bound = 0;
    bool lower = true;
    bool equality = false;
};

std::string ShapeFault(const QuadraticProgram& p) {
    const auto n = static_cast<std::size_t>(p.n);
    const std::size_t m = p.rowLower.size();
    if (p.n <= 0) return "Задача без неизвестных.";
    if (p.H.size() != n * n || p.c.size() != n) return "Размеры матрицы и вектора задачи не согласованы.";
    if ((!p.lower.empty() && p.lower.size() != n) || (!p.upper.empty() && p.upper.size() != n))
        return "Число границ не совпадает с числом неизвестных.";
    if (p.rowUpper.size() != m || p.A.size() != m * n) return "Размеры ограничений не согласованы.";
    auto finite = [](const std::vector<double>& v) {
        return std::all_of(v.begin(), v.end(), [](double x) { return std::isfinite(x); });
    };
    auto notNan = [](const std::vector<double>& v) {
        return std::none_of(v.begin(), v.end(), [](double x) { return std::isnan(x); });
    };
    if (!finite(p.H) || !finite(p.c) || !finite(p.A)) return "В задаче есть нечисловые коэффициенты.";
    if (!notNan(p.lower) || !notNan(p.upper) || !notNan(p.rowLower) || !notNan(p.rowUpper))
        return "В задаче есть нечисловые границы.";
    for (std::size_t i = 0; i < n; ++i) {
        const double lo = p.lower.empty() ? -kInfinity : p.lower[i];
        const double hi = p.upper.empty() ? kInfinity : p.upper[i];
        if (lo > hi || lo == kInfinity || hi == -kInfinity) return "Границы неизвестных несовместны.";
    }
    for (std::size_t k = 0; k < m; ++k)
        if (p.rowLower[k] > p.rowUpper[k] || p.rowLower[k] == kInfinity || p.rowUpper[k] == -kInfinity)
            return "Границы ограничений несовместны.";
    return {};
}

// Typical size of each unknown: 1/√H_ii makes the objective's diagonal unit.
std::vector<double> Scales(const QuadraticProgram& p) {
    std::vector<double> s(static_cast<std::size_t>(p.n), 1.0);
    for (int i = 0; i < p.n; ++i) {
        const double h = p.H[static_cast<std::size_t>(i * p.n + i)];
        if (h > 0) s[static_cast<std::size_t>(i)] = 1.0 / std::sqrt(h);
    }
    return s;
}

std::vector<Side> Sides(const QuadraticProgram& p) {
    const auto n = static_cast<std::size_t>(p.n);
    std::vector<Side> sides;
    auto add = [&](std::vector<double> a, double lo, double hi) {
        if (lo == hi) {
            sides.push_back({std::move(a), lo, true, true});
            return;
        }
        if (std::isfinite(lo)) sides.push_back({a, lo, true, false});
        if (std::isfinite(hi)) sides.push_back({std::move(a), hi, false, false});
    };
    for (std::size_t i = 0; i < n; ++i) {
        std::vector<double> e(n, 0.0);
        e[i] = 1;
        add(std::move(e), p.lower.empty() ? -kInfinity : p.lower[i], p.upper.empty() ? kInfinity : p.upper[i]);
    }
    for (std::size_t k = 0; k < p.rowLower.size(); ++k)
        add(std::vector<double>(p.A.begin() + static_cast<std::ptrdiff_t>(k * n),
                                p.A.begin() + static_cast<std::ptrdiff_t>((k + 1) * n)),
            p.rowLower[k], p.rowUpper[k]);
    return sides;
}

double Dot(const std::vector<double>& a, const std::vector<double>& x) {
    double s = 0;
    for (std::size_t j = 0; j < a.size(); ++j) s += a[j] * x[j];
    return s;
}

// The size against which a side's slack counts as zero.
double SideSize(const Side& side, const std::vector<double>& x) {
    double s = std::abs(side.bound);
    for (std::size_t j = 0; j < x.size(); ++j) s = std::max(s, std::abs(side.a[j] * x[j]));
    return std::max(s, 1.0);
}

// Positive when the side is violated at x.
double Violation(const Side& side, const std::vector<double>& x) {
    const double v = Dot(side.a, x) - side.bound;
    return side.equality ? std::abs(v) : (side.lower ? -v : v);
}

// Solves the square system K·z = r by Gaussian elimination with full pivoting; unknowns whose
// pivot vanishes (dependent constraints, directions the objective does not see) are set to
// zero. Returns false when the system has no solution.
bool SolveSquare(std::vector<std::vector<double>> K, std::vector<double> r, std::vector<double>& z) {
    const std::size_t N = r.size();
    std::vector<std::size_t> col(N);
    for (std::size_t j = 0; j < N; ++j) col[j] = j;
    double largest = 0;
    for (const auto& row : K)
        for (double v : row) largest = std::max(largest, std::abs(v));
    const double tiny = 1e-13 * std::max(largest, 1e-300);
    std::size_t rank = 0;
    for (; rank < N; ++rank) {
        std::size_t pr = rank, pc = rank;
        double best = 0;
        for (std::size_t i = rank; i < N; ++i)
            for (std::size_t j = rank; j < N; ++j)
                if (std::abs(K[i][j]) > best) best = std::abs(K[i][j]), pr = i, pc = j;
        if (best <= tiny) break;
        std::swap(K[rank], K[pr]);
        std::swap(r[rank], r[pr]);
        for (auto& row : K) std::swap(row[rank], row[pc]);
        std::swap(col[rank], col[pc]);
        for (std::size_t i = rank + 1; i < N; ++i) {
            const double f = K[i][rank] / K[rank][rank];
            if (f == 0) continue;
            for (std::size_t j = rank; j < N; ++j) K[i][j] -= f * K[rank][j];
            r[i] -= f * r[rank];
        }
    }
    double rScale = 0;
    for (double v : r) rScale = std::max(rScale, std::abs(v));
    for (std::size_t i = rank; i < N; ++i)
        if (std::abs(r[i]) > 1e-9 * std::max(rScale, 1.0)) return false;
    std::vector<double> y(N, 0.0);
    for (std::size_t i = rank; i-- > 0;) {
        double s = r[i];
        for (std::size_t j = i + 1; j < rank; ++j) s -= K[i][j] * y[j];
        y[i] = s / K[i][i];
    }
    z.assign(N, 0.0);
    for (std::size_t j = 0; j < N; ++j) z[col[j]] = y[j];
    return true;
}

// Minimiser of the objective with the working sides held as equalities, and their
// multipliers λ in H·x + c + Σ λ_k·a_k = 0. Works in the scaled unknowns x = S·y with unit
// rows, so that the pivots compare like with like.
bool SolveOnWorkingSet(const QuadraticProgram& p, const std::vector<double>& s, const std::vector<Side>& sides,
                       const std::vector<std::size_t>& working, std::vector<double>& x, std::vector<double>& lambda) {
    const auto n = static_cast<std::size_t>(p.n);
    const std::size_t k = working.size();
    std::vector<std::vector<double>> K(n + k, std::vector<double>(n + k, 0.0));
    std::vector<double> r(n + k, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) K[i][j] = s[i] * p.H[i * n + j] * s[j];
        r[i] = -s[i] * p.c[i];
    }
    std::vector<double> rowNorm(k, 1.0);
    for (std::size_t w = 0; w < k; ++w) {
        const Side& side = sides[working[w]];
        double norm = 0;
        for (std::size_t j = 0; j < n; ++j) norm = std::max(norm, std::abs(side.a[j] * s[j]));
        if (norm == 0) norm = 1;
        rowNorm[w] = norm;
        for (std::size_t j = 0; j < n; ++j) K[n + w][j] = K[j][n + w] = side.a[j] * s[j] / norm;
        r[n + w] = side.bound / norm;
    }
    std::vector<double> z;
    if (!SolveSquare(std::move(K), std::move(r), z)) return false;
    x.resize(n);
    for (std::size_t i = 0; i < n; ++i) x[i] = s[i] * z[i];
    lambda.resize(k);
    for (std::size_t w = 0; w < k; ++w) lambda[w] = z[n + w] / rowNorm[w];
    return std::all_of(x.begin(), x.end(), [](double v) { return std::isfinite(v); });
}

// A multiplier that says releasing the side would lower the objective, in the units of the
// gradient; zero when the sign is right.
double WrongSign(const Side& side, double lambda) {
    if (side.equality) return 0;
    return side.lower ? std::max(lambda, 0.0) : std::max(-lambda, 0.0);
}

// Primal active-set finish from the solver's point: the working set starts as the sides that
// point holds tight, then a side with a wrong-signed multiplier is released or a violated one
// taken in, until the point is feasible with every multiplier of the right sign. Those are
// the Karush–Kuhn–Tucker conditions, which for a convex objective prove the point optimal.
bool Finish(const QuadraticProgram& p, std::vector<double>& x) {
    const std::vector<double> s = Scales(p);
    const std::vector<Side> sides = Sides(p);
    std::vector<std::size_t> working;
    for (std::size_t k = 0; k < sides.size(); ++k)
        if (sides[k].equality || std::abs(Violation(sides[k], x)) <= 1e-6 * SideSize(sides[k], x))
            working.push_back(k);
    double gradScale = 1;
    for (double v : p.c) gradScale = std::max(gradScale, std::abs(v));
    for (std::size_t round = 0; round < 2 * sides.size() + 4; ++round) {
        std::vector<double> candidate, lambda;
        if (!SolveOnWorkingSet(p, s, sides, working, candidate, lambda)) return false;
        std::size_t worst = sides.size();
        double worstViolation = 0;
        for (std::size_t k = 0; k < sides.size(); ++k) {
            const double v = Violation(sides[k], candidate) / SideSize(sides[k], candidate);
            if (v > 1e-10 && v > worstViolation && std::find(working.begin(), working.end(), k) == working.end())
                worst = k, worstViolation = v;
        }
        if (worst < sides.size()) {
            working.push_back(worst);
            continue;
        }
        std::size_t release = working.size();
        double releaseSize = 0;
        for (std::size_t w = 0; w < working.size(); ++w) {
            const double wrong = WrongSign(sides[working[w]], lambda[w]) * SideSize(sides[working[w]], candidate);
            if (wrong > 1e-9 * gradScale && wrong > releaseSize) release = w, releaseSize = wrong;
        }
        if (release == working.size()) {
            x = std::move(candidate);
            return true;
        }
        working.erase(working.begin() + static_cast<std::ptrdiff_t>(release));
    }
    return false;
}

alglib::real_1d_array Vector(const std::vector<double>& v) {
    alglib::real_1d_array a;
    a.setcontent(static_cast<alglib::ae_int_t>(v.size()), v.data());
    return a;
}

alglib::real_2d_array Matrix(const std::vector<double>& v, std::size_t rows, std::size_t cols) {
    alglib::real_2d_array a;
    a.setcontent(static_cast<alglib::ae_int_t>(rows), static_cast<alglib::ae_int_t>(cols), v.data());
    return a;
}

QuadraticSolution RunSolver(const QuadraticProgram& p) {
    const auto n = static_cast<std::size_t>(p.n);
    const std::size_t m = p.rowLower.size();
    alglib::minqpstate state;
    alglib::minqpcreate(p.n, state);
    alglib::minqpsetquadraticterm(state, Matrix(p.H, n, n));
    alglib::minqpsetlinearterm(state, Vector(p.c));
    const std::vector<double> lower = p.lower.empty() ? std::vector<double>(n, -kInfinity) : p.lower;
    const std::vector<double> upper = p.upper.empty() ? std::vector<double>(n, kInfinity) : p.upper;
    alglib::minqpsetbc(state, Vector(lower), Vector(upper));
    if (m > 0)
        alglib::minqpsetlc2dense(state, Matrix(p.A, m, n), Vector(p.rowLower), Vector(p.rowUpper),
                                 static_cast<alglib::ae_int_t>(m));
    alglib::minqpsetscale(state, Vector(Scales(p)));
    alglib::minqpsetalgobleic(state, 0.0, 0.0, 1e-12, 0);
    alglib::minqpoptimize(state);
    alglib::real_1d_array x;
    alglib::minqpreport report;
    alglib::minqpresults(state, x, report);
    QuadraticSolution out;
    const alglib::ae_int_t code = report.terminationtype;
    if (code == -3) {
        out.reason = "Ограничения несовместны: нет точки, удовлетворяющей им всем.";
    } else if (code == -4) {
        out.reason = "Целевая функция не ограничена снизу.";
    } else if (code <= 0) {
        out.reason = "Решатель квадратичной задачи завершился с ошибкой (код " + std::to_string(code) + ").";
    } else {
        out.solved = true;
        out.x.assign(x.getcontent(), x.getcontent() + n);
    }
    return out;
}

}  // namespace

QuadraticSolution SolveQuadraticProgram(const QuadraticProgram& problem) {
    if (std::string fault = ShapeFault(problem); !fault.empty()) return {false, std::move(fault), {}};
    QuadraticSolution out;
    try {
        out = RunSolver(problem);
    } catch (const alglib::ap_error& e) {
        return {false, "Решатель квадратичной задачи отказал: " + e.msg, {}};
    }
    if (!out.solved) return out;
    if (!Finish(problem, out.x)) {
        // The solver's own point stands; it is only as exact as its stopping rule.
        const std::vector<Side> sides = Sides(problem);
        for (const Side& side : sides)
            if (Violation(side, out.x) > 1e-6 * SideSize(side, out.x))
                return {false, "Ограничения несовместны: нет точки, удовлетворяющей им всем.", {}};
    }
    return out;
}

}  // namespace shaftline::model
