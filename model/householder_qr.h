#pragma once

#include <vector>

namespace shaftline {

/// Householder QR of a tall matrix J (rows ≥ columns, full column rank): J = Q·R with Q
/// orthogonal and R upper triangular. Least squares through it keep the condition of J, where
/// the normal equations JᵀJ would square it.
class HouseholderQr {
  public:
    /// J given row by row; every row has the same number of columns, at most the row count.
    explicit HouseholderQr(const std::vector<std::vector<double>>& rows);

    int Rows() const { return rows_; }
    int Columns() const { return columns_; }

    /// Qᵀ·b for b of Rows() entries.
    std::vector<double> ApplyQTransposed(std::vector<double> b) const;
    /// The first Columns() entries of Qᵀ·b: the right-hand side R·x must match.
    std::vector<double> ReducedRightSide(const std::vector<double>& b) const;
    /// x with R·x = y (back substitution).
    std::vector<double> SolveR(std::vector<double> y) const;
    /// z with Rᵀ·z = v (forward substitution): a row vᵀ acting on x is zᵀ acting on R·x.
    std::vector<double> SolveRTransposed(std::vector<double> v) const;
    /// The x that minimises |J·x − b|.
    std::vector<double> LeastSquares(const std::vector<double>& b) const;

  private:
    double& At(int i, int j) { return a_[static_cast<std::size_t>(j * rows_ + i)]; }
    double At(int i, int j) const { return a_[static_cast<std::size_t>(j * rows_ + i)]; }

    int rows_ = 0;
    int columns_ = 0;
    std::vector<double> a_;    ///< column-major: R on and above the diagonal, the reflectors below
    std::vector<double> tau_;  ///< the reflectors' factors: H_k = I − τ_k·v_k·v_kᵀ, v_k[k] = 1
};

}  // namespace shaftline
