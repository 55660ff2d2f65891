#pragma once

#include <vector>

#include "coupled_span.h"

namespace shaftline {

/// The equations of three moments of a continuous beam over the spans 1..n (spans[k − 1] is
/// span k, between supports J(k−1) and J(k)): one equation per inner support J(m), m = 1..n−1,
/// saying that the spans on its two sides turn by the same angle there,
///
///   f×(m)·M(m−1) + [f→(m) + f←(m+1)]·M(m) + f×(m+1)·M(m+1)
///       = β(m+1) − β(m) − g→(m) − g←(m+1),
///
/// with M(0) = M(n) = 0, f←, f×, f→ the left, cross and right flexibilities of a span, g← and
/// g→ its end rotations under its weights and β(k) = (z(k) − z(k−1)) / L(k) its chord rotation
/// from the support elevations z. The matrix is symmetric, tridiagonal and positive definite;
/// it is factorised once (L·D·Lᵀ) and serves every set of elevations. Extended precision
/// throughout.
class ThreeMomentEquations {
  public:
    ThreeMomentEquations() = default;
    explicit ThreeMomentEquations(const std::vector<CoupledSpan>& spans);

    int SpanCount() const { return static_cast<int>(length_.size()); }

    /// Bending moments M(0..n) at the supports (kgf·mm, sagging positive, 0 at both ends) for
    /// support elevations z(0..n) (mm), under the weights or without them.
    std::vector<long double> SupportMoments(const std::vector<double>& elevations,
                                            bool withWeights) const;

    /// The loads the supports carry (kgf, upward positive) for moments M(0..n): each span's
    /// end reactions in equilibrium with its end moments, (M(k) − M(k−1)) / L(k) taken from its
    /// right bearing and given to its left one, plus, when asked, the simply supported
    /// reactions of the weights.
    std::vector<long double> SupportLoads(const std::vector<long double>& moments,
                                          bool withWeights) const;

  private:
    std::vector<long double> Solve(std::vector<long double> rhs) const;

    // Per span k − 1: what the right-hand sides and the loads need.
    std::vector<long double> length_;               ///< mm
    std::vector<long double> weightLeftRotation_;   ///< g←, rad
    std::vector<long double> weightRightRotation_;  ///< g→, rad
    std::vector<long double> leftReaction_;         ///< kgf
    std::vector<long double> rightReaction_;        ///< kgf
    // Per inner support m − 1: the factors.
    std::vector<long double> pivot_;  ///< D
    std::vector<long double> lower_;  ///< sub-diagonal of L, between m and m + 1
};

}  // namespace shaftline
