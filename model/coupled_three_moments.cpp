#include "coupled_three_moments.h"

namespace shaftline {

namespace {

using Real = long double;

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

}  // namespace

ThreeMomentEquations::ThreeMomentEquations(const std::vector<CoupledSpan>& spans) {
    for (const CoupledSpan& span : spans) {
        length_.push_back(span.length);
        weightLeftRotation_.push_back(span.weightLeftRotation);
        weightRightRotation_.push_back(span.weightRightRotation);
        leftReaction_.push_back(span.leftReaction);
        rightReaction_.push_back(span.rightReaction);
    }
    // Inner support m (1..n−1) lies between spans m and m + 1, that is spans[m − 1], spans[m].
    const int inner = static_cast<int>(spans.size()) - 1;
    for (int m = 1; m <= inner; ++m) {
        const Real diagonal = spans[At(m - 1)].rightFlexibility + spans[At(m)].leftFlexibility;
        if (m == 1) {
            pivot_.push_back(diagonal);
        } else {
            const Real offDiagonal = spans[At(m - 1)].crossFlexibility;  // between m − 1 and m
            lower_.push_back(offDiagonal / pivot_.back());
            pivot_.push_back(diagonal - lower_.back() * offDiagonal);
        }
    }
}

std::vector<Real> ThreeMomentEquations::Solve(std::vector<Real> rhs) const {
    const int inner = static_cast<int>(rhs.size());
    for (int m = 1; m < inner; ++m) rhs[At(m)] -= lower_[At(m - 1)] * rhs[At(m - 1)];
    for (int m = 0; m < inner; ++m) rhs[At(m)] /= pivot_[At(m)];
    for (int m = inner - 2; m >= 0; --m) rhs[At(m)] -= lower_[At(m)] * rhs[At(m + 1)];
    return rhs;
}

std::vector<Real> ThreeMomentEquations::SupportMoments(const std::vector<double>& elevations,
                                                       bool withWeights) const {
    const int n = SpanCount();
    std::vector<Real> rhs(At(n > 0 ? n - 1 : 0));
    for (int m = 1; m < n; ++m) {
        // Chord rotations of the spans left and right of support m.
        const Real left = (Real(elevations[At(m)]) - elevations[At(m - 1)]) / length_[At(m - 1)];
        const Real right = (Real(elevations[At(m + 1)]) - elevations[At(m)]) / length_[At(m)];
        rhs[At(m - 1)] = right - left;
        if (withWeights) {
            rhs[At(m - 1)] -= weightRightRotation_[At(m - 1)] + weightLeftRotation_[At(m)];
        }
    }
    const std::vector<Real> inner = Solve(std::move(rhs));
    std::vector<Real> moments(At(n + 1), 0);
    for (int m = 1; m < n; ++m) moments[At(m)] = inner[At(m - 1)];
    return moments;
}

std::vector<Real> ThreeMomentEquations::SupportLoads(const std::vector<Real>& moments,
                                                     bool withWeights) const {
    const int n = SpanCount();
    std::vector<Real> loads(At(n + 1), 0);
    for (int k = 1; k <= n; ++k) {
        // Span k between supports k − 1 and k.
        const Real transfer = (moments[At(k)] - moments[At(k - 1)]) / length_[At(k - 1)];
        loads[At(k - 1)] += transfer;
        loads[At(k)] -= transfer;
        if (withWeights) {
            loads[At(k - 1)] += leftReaction_[At(k - 1)];
            loads[At(k)] += rightReaction_[At(k - 1)];
        }
    }
    return loads;
}

}  // namespace shaftline
