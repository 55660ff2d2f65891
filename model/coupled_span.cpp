#include "coupled_span.h"

#include <array>

namespace shaftline {

namespace {

// The section integrals are sums of a few dozen terms that do not cancel: double precision
// keeps them within a few units of 1e-15 of their size. The sums that the equations and the
// reactions take from them are formed in extended precision.
using Real = double;
using Sum = long double;

// The three bending-moment diagrams of a span whose curvatures are integrated: the simply
// supported span under its weights, a unit sagging moment at the left bearing (1 − t/L) and
// one at the right bearing (t/L).
constexpr int kWeights = 0;
constexpr int kLeftMoment = 1;
constexpr int kRightMoment = 2;
constexpr int kDiagrams = 3;

// Slope and deflection of a beam that starts level at t = 0, integrated along the span:
// Φ(t) = ∫κ, Y(t) = ∫(t − s)κ(s) ds. On a stretch of length h whose curvature runs linearly
// from kp to kq both integrals are exact: ∫κ = h(kp + kq)/2 and ∫(q − s)κ = h²(2kp + kq)/6.
struct Integral {
    Real slope = 0;
    Real deflection = 0;

    void Add(Real h, Real kp, Real kq) {
        deflection += slope * h + h * h * (2 * kp + kq) / 6;
        slope += h * (kp + kq) / 2;
    }
};

}  // namespace

// Within a section the rigidity is constant and every moment diagram is linear between the
// section's ends and its midpoint (where its weight acts), so the two halves of a section are
// integrated exactly.
CoupledSpan SpanOfRotor(const TRotor& rotor) {
    const SectionArray& s = rotor.SectionsView();
    const int n = rotor.GetSectionCount();
    CoupledSpan span;
    const Real origin = s[0].Coord;
    const Real length = s[n].Coord - origin;
    span.length = length;

    Sum weight = 0;
    Sum weightMoment = 0;  // about the left bearing
    for (int i = 1; i <= n; ++i) {
        const Sum midpoint = (Sum(s[i - 1].Coord) + s[i].Coord) / 2 - origin;
        weight += s[i].Mass;
        weightMoment += s[i].Mass * midpoint;
    }
    span.rightReaction = weightMoment / length;
    span.leftReaction = weight - span.rightReaction;

    const Real perLength = 1 / length;
    std::array<Integral, kDiagrams> integral{};
    std::array<std::array<Real, kSectionRecords>, kDiagrams> y{};  // Y at the section ends
    Real shear = static_cast<Real>(
        span.leftReaction);  // just right of the current point, simply supported span
    Real momentAtStart = 0;  // of the weights, at the start of the current section
    for (int i = 1; i <= n; ++i) {
        const Real a = Real(s[i - 1].Coord) - origin;
        const Real b = Real(s[i].Coord) - origin;
        const Real half = (b - a) / 2;
        const Real m = a + half;
        const Real momentAtMiddle = momentAtStart + shear * half;
        shear -= s[i].Mass;
        const Real momentAtEnd = momentAtMiddle + shear * half;
        if (half > 0) {
            const Real flexibility = 1 / (Real(s[i].Young) * s[i].Inertia);  // 1/EI
            const std::array<Real, kDiagrams> atStart = {momentAtStart, (length - a) * perLength,
                                                         a * perLength};
            const std::array<Real, kDiagrams> atMiddle = {momentAtMiddle, (length - m) * perLength,
                                                          m * perLength};
            const std::array<Real, kDiagrams> atEnd = {momentAtEnd, (length - b) * perLength,
                                                       b * perLength};
            for (int d = 0; d < kDiagrams; ++d) {
                integral[d].Add(half, atStart[d] * flexibility, atMiddle[d] * flexibility);
                integral[d].Add(half, atMiddle[d] * flexibility, atEnd[d] * flexibility);
            }
        }
        momentAtStart = momentAtEnd;
        for (int d = 0; d < kDiagrams; ++d) y[d][i] = integral[d].deflection;
    }

    // The simply supported span turns at its left end by −Y(L)/L so that it meets the right
    // bearing; it then turns at its right end by Φ(L) − Y(L)/L. The two flexibilities of the
    // unit moments that involve the left end are both Y(L)/L of a diagram: sums of positive
    // terms, without cancellation.
    std::array<Real, kDiagrams> leftRotation{};
    for (int d = 0; d < kDiagrams; ++d) leftRotation[d] = -integral[d].deflection / length;
    span.weightLeftRotation = -leftRotation[kWeights];
    span.weightRightRotation = integral[kWeights].slope + leftRotation[kWeights];
    span.leftFlexibility = -leftRotation[kLeftMoment];
    span.crossFlexibility = -leftRotation[kRightMoment];
    span.rightFlexibility = integral[kRightMoment].slope + leftRotation[kRightMoment];

    span.coord.resize(static_cast<std::size_t>(n) + 1);
    span.weightDeflection.assign(static_cast<std::size_t>(n) + 1, 0.0);
    span.leftMomentDeflection.assign(static_cast<std::size_t>(n) + 1, 0.0);
    span.rightMomentDeflection.assign(static_cast<std::size_t>(n) + 1, 0.0);
    std::array<std::vector<double>*, kDiagrams> deflection = {
        &span.weightDeflection, &span.leftMomentDeflection, &span.rightMomentDeflection};
    for (int i = 0; i <= n; ++i) {
        const Real t = Real(s[i].Coord) - origin;
        span.coord[static_cast<std::size_t>(i)] = static_cast<double>(t);
        if (i == 0 || i == n) continue;  // the bearings, exactly
        for (int d = 0; d < kDiagrams; ++d) {
            (*deflection[d])[static_cast<std::size_t>(i)] =
                static_cast<double>(leftRotation[d] * t + y[d][i]);
        }
    }
    return span;
}

}  // namespace shaftline
