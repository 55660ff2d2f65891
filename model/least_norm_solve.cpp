#include "least_norm_solve.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace shaftline {

namespace {

// Columns whose pivot falls below this share of the first pivot count as dependent.
constexpr double kRankTolerance = 1e-11;

std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}

// Householder reflector zeroing x[1..] of a vector: v with v[0] = x[0] − α, the rest x[1..];
// returns α (the new x[0]) and leaves vᵀv / 2 in half (0 when x is zero).
double Reflector(std::vector<double>& v, double& half) {
    // Scaled by the largest entry, the squares neither overflow nor underflow.
    double scale = 0;
    for (double e : v) scale = std::max(scale, std::fabs(e));
    if (scale == 0) {
        half = 0;
        return 0;
    }
    double sum = 0;
    for (double e : v) sum += (e / scale) * (e / scale);
    const double norm = scale * std::sqrt(sum);
    if (norm == 0) {
        half = 0;
        return 0;
    }
    const double alpha = v[0] > 0 ? -norm : norm;
    half = norm * norm - v[0] * alpha;  // (vᵀv) / 2 with v[0] − α in place of v[0]
    v[0] -= alpha;
    return alpha;
}

// y ← (I − v·vᵀ / half)·y over the entries from `first`.
template <typename Get>
void Reflect(const std::vector<double>& v, double half, int first, int count, Get&& y) {
    if (half == 0) return;
    double dot = 0;
    for (int i = 0; i < count; ++i) dot += v[At(i)] * y(first + i);
    const double f = dot / half;
    for (int i = 0; i < count; ++i) y(first + i) -= f * v[At(i)];
}

}  // namespace

LeastNormResult LeastNormSolution(DenseMatrix a, std::vector<double> b) {
    const int m = a.rows;
    const int n = a.cols;
    std::vector<int> perm(At(n));
    std::iota(perm.begin(), perm.end(), 0);
    int rank = 0;
    double firstPivot = 0;
    std::vector<double> v;
    // A·P = Q·R; Qᵀ is applied to b as it is built.
    for (int k = 0; k < std::min(m, n); ++k) {
        int best = k;
        double bestNorm = -1;
        for (int j = k; j < n; ++j) {
            double s = 0;
            for (int i = k; i < m; ++i) s += a(i, j) * a(i, j);
            if (s > bestNorm) bestNorm = s, best = j;
        }
        if (best != k) {
            for (int i = 0; i < m; ++i) std::swap(a(i, k), a(i, best));
            std::swap(perm[At(k)], perm[At(best)]);
        }
        v.assign(At(m - k), 0.0);
        for (int i = k; i < m; ++i) v[At(i - k)] = a(i, k);
        double half = 0;
        const double alpha = Reflector(v, half);
        if (k == 0) firstPivot = std::fabs(alpha);
        if (!(std::fabs(alpha) > kRankTolerance * firstPivot) || firstPivot == 0) break;
        for (int j = k + 1; j < n; ++j) {
            Reflect(v, half, k, m - k, [&](int i) -> double& { return a(i, j); });
        }
        Reflect(v, half, k, m - k, [&](int i) -> double& { return b[At(i)]; });
        a(k, k) = alpha;
        for (int i = k + 1; i < m; ++i) a(i, k) = 0;
        rank = k + 1;
    }
    LeastNormResult out{std::vector<double>(At(n), 0.0), rank};
    std::vector<double>& x = out.x;
    if (rank == 0) return out;
    if (rank == n) {
        // Full column rank: the minimiser is unique, R·y = c by back substitution.
        for (int i = n - 1; i >= 0; --i) {
            double s = b[At(i)];
            for (int j = i + 1; j < n; ++j) s -= a(i, j) * x[At(perm[At(j)])];
            x[At(perm[At(i)])] = s / a(i, i);
        }
        return out;
    }

    // The leading rank rows T (rank × n, upper trapezoidal): Tᵀ = Z·[L; 0], so T = Lᵀ·Zᵀ and the
    // least-norm y with T·y = c is Z·[w; 0] with Lᵀ·w = c.
    DenseMatrix t(n, rank);  // Tᵀ
    for (int i = 0; i < rank; ++i) {
        for (int j = i; j < n; ++j) t(j, i) = a(i, j);
    }
    std::vector<std::vector<double>> reflectors(At(rank));
    std::vector<double> halves(At(rank));
    for (int k = 0; k < rank; ++k) {
        std::vector<double>& u = reflectors[At(k)];
        u.assign(At(n - k), 0.0);
        for (int i = k; i < n; ++i) u[At(i - k)] = t(i, k);
        const double alpha = Reflector(u, halves[At(k)]);
        for (int j = k + 1; j < rank; ++j) {
            Reflect(u, halves[At(k)], k, n - k, [&](int i) -> double& { return t(i, j); });
        }
        t(k, k) = alpha;
    }
    std::vector<double> y(At(n), 0.0);
    for (int i = 0; i < rank; ++i) {
        double s = b[At(i)];
        for (int j = 0; j < i; ++j) s -= t(j, i) * y[At(j)];  // Lᵀ(i, j) = L(j, i)
        y[At(i)] = s / t(i, i);
    }
    for (int k = rank - 1; k >= 0; --k) {
        Reflect(reflectors[At(k)], halves[At(k)], k, n - k,
                [&](int i) -> double& { return y[At(i)]; });
    }
    for (int j = 0; j < n; ++j) x[At(perm[At(j)])] = y[At(j)];
    return out;
}

}  // namespace shaftline
