#pragma once

#include <vector>

namespace shaftline {

/// A dense matrix, row-major.
struct DenseMatrix {
    int rows = 0;
    int cols = 0;
    std::vector<double> values;  ///< rows × cols

    DenseMatrix() = default;
    DenseMatrix(int r, int c) : rows(r), cols(c), values(static_cast<std::size_t>(r * c), 0.0) {}
    double& operator()(int i, int j) { return values[static_cast<std::size_t>(i * cols + j)]; }
    double operator()(int i, int j) const { return values[static_cast<std::size_t>(i * cols + j)]; }
};

struct LeastNormResult {
    std::vector<double> x;
    int rank = 0;  ///< numerical rank of A: below A.cols the minimisers form a family
};

/// x minimising ‖A·x − b‖ and, among all minimisers, ‖x‖ (b has A.rows entries). Complete
/// orthogonal decomposition: Householder QR with column pivoting reveals the rank, a second
/// QR of the leading rows' transpose gives the least-norm solution. No normal equations: the
/// accuracy is that of A, not of AᵀA.
LeastNormResult LeastNormSolution(DenseMatrix a, std::vector<double> b);

}  // namespace shaftline
