#pragma once

#include <array>
#include <optional>
#include <vector>

namespace shaftline {

/// One plane's reading of a coupling as a laser system gives it: the offset (mm, positive when
/// the right half is higher, or further to the right) and either the gap difference over the
/// measuring diameter (mm, positive when the coupling opens at the top, or on the right) or the
/// angle (rad, same sign).
struct PlaneInput {
    double offset = 0;
    std::optional<double> gap;
    std::optional<double> angle;
};

/// Bracket gaps (mm), measured with both rotors turned together and the bracket fixed on the
/// left half, at the top, right, bottom and left positions looking from rotor 1 towards the
/// last rotor: radial a1..a4 and axial b1..b4.
struct BracketGaps {
    std::array<double, 4> radial{};
    std::array<double, 4> axial{};
};

/// What the crew enters for one coupling. Every field but the number is optional.
struct CouplingInput {
    int number = 0;                  ///< 1..m from rotor 1's end
    std::optional<double> plane;     ///< mm from the piece's left end; default half its length
    std::optional<double> diameter;  ///< mm, measuring diameter of the axial readings
    std::optional<double> offsetTolerance;  ///< mm
    /// mm of gap difference with a diameter; mm/m of angle without one.
    std::optional<double> gapTolerance;
    std::optional<BracketGaps> brackets;
    std::optional<PlaneInput> foundVertical;    ///< used when there are no brackets
    std::optional<PlaneInput> foundHorizontal;  ///< given together with foundVertical
};

/// Limits of a bearing's vertical move (mm, shims and jacks; ±infinity for a free side);
/// support j = 0..n.
struct BearingBound {
    int support = 0;
    double moveMin = 0;
    double moveMax = 0;
};

/// Everything the alignment on site takes beside the calculated line.
struct AlignmentInputs {
    std::vector<CouplingInput> couplings;
    /// Supports j (0..n) that must not move; none given: both bearings of the base record.
    std::optional<std::vector<int>> fixed;
    std::vector<BearingBound> bounds;
};

}  // namespace shaftline
