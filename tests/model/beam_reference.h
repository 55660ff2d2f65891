#pragma once

// An independent check of the solver: a finite-element beam of cubic (Hermite) elements with
// nodes at every section end and every load point. For point loads at the nodes and a rigidity
// constant within each element the nodal deflections of such a model are exact.

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace shaftline::testing {

struct BeamNode {
    double x;     ///< mm
    double load;  ///< kg, downward
};

/// nodes sorted by x; rigidity[e] is E·I of the element between node e and e+1. Simple
/// supports at the first and the last node. Returns the deflection (upward positive) per node.
inline std::vector<double> FiniteElementDeflections(const std::vector<BeamNode>& nodes,
                                                    const std::vector<double>& rigidity) {
    const std::size_t n = nodes.size();
    const std::size_t dof = 2 * n;
    std::vector<std::vector<double>> k(dof, std::vector<double>(dof, 0.0));
    std::vector<double> f(dof, 0.0);
    for (std::size_t e = 0; e + 1 < n; ++e) {
        const double l = nodes[e + 1].x - nodes[e].x;
        if (l == 0) continue;
        const double c = rigidity[e] / (l * l * l);
        const double ke[4][4] = {{12 * c, 6 * l * c, -12 * c, 6 * l * c},
                                 {6 * l * c, 4 * l * l * c, -6 * l * c, 2 * l * l * c},
                                 {-12 * c, -6 * l * c, 12 * c, -6 * l * c},
                                 {6 * l * c, 2 * l * l * c, -6 * l * c, 4 * l * l * c}};
        const std::size_t map[4] = {2 * e, 2 * e + 1, 2 * e + 2, 2 * e + 3};
        for (int a = 0; a < 4; ++a)
            for (int b = 0; b < 4; ++b) k[map[a]][map[b]] += ke[a][b];
    }
    for (std::size_t i = 0; i < n; ++i) f[2 * i] = -nodes[i].load;
    // Supports: deflection 0 at the two end nodes.
    for (std::size_t fixed : {std::size_t{0}, 2 * (n - 1)}) {
        for (std::size_t j = 0; j < dof; ++j) k[fixed][j] = k[j][fixed] = 0;
        k[fixed][fixed] = 1;
        f[fixed] = 0;
    }
    // Gaussian elimination with partial pivoting.
    for (std::size_t col = 0; col < dof; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < dof; ++r)
            if (std::fabs(k[r][col]) > std::fabs(k[pivot][col])) pivot = r;
        std::swap(k[col], k[pivot]);
        std::swap(f[col], f[pivot]);
        for (std::size_t r = col + 1; r < dof; ++r) {
            const double m = k[r][col] / k[col][col];
            if (m == 0) continue;
            for (std::size_t c = col; c < dof; ++c) k[r][c] -= m * k[col][c];
            f[r] -= m * f[col];
        }
    }
    std::vector<double> u(dof);
    for (std::size_t i = dof; i-- > 0;) {
        double s = f[i];
        for (std::size_t c = i + 1; c < dof; ++c) s -= k[i][c] * u[c];
        u[i] = s / k[i][i];
    }
    std::vector<double> w(n);
    for (std::size_t i = 0; i < n; ++i) w[i] = u[2 * i];
    return w;
}

}  // namespace shaftline::testing
