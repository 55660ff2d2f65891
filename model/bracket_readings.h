#pragma once

#include <optional>
#include <string>

#include "alignment_inputs.h"
#include "coupling_readings.h"

namespace shaftline {

/// Largest closure (mm) of the bracket gaps that still counts as consistent readings: over it
/// the readings are flagged "замеры не сходятся".
inline constexpr double kBracketClosureLimit = 0.02;

/// How far the bracket gaps fail to close: |(a1 + a3) − (a2 + a4)| and |(b1 + b3) − (b2 + b4)|.
/// Gaps measured on a true circle close exactly.
struct BracketClosure {
    double radial = 0;  ///< mm
    double axial = 0;   ///< mm
    bool Consistent() const;
};

/// A coupling's readings in both planes. The horizontal plane is seen from rotor 1: offset
/// positive when the right half stands further to the right, angle positive when the coupling
/// opens on the right.
struct PlaneReadings {
    CouplingReading vertical;
    CouplingReading horizontal;
};

BracketClosure ClosureOf(const BracketGaps& gaps);

/// Bracket gaps as readings, over the measuring diameter D (mm, positive): offsets (a3 − a1)/2
/// and (a4 − a2)/2, gap differences b1 − b3 and b2 − b4, angles Δ / D.
PlaneReadings BracketReadings(const BracketGaps& gaps, double diameter);

/// The as-found readings a coupling's inputs give: the brackets when there are any, else the
/// direct readings; none when neither is given. Gaps turn into angles over the diameter.
/// Expects what ValidateCouplingInput accepts.
std::optional<PlaneReadings> FoundReadings(const CouplingInput& input);

/// Why a coupling's inputs cannot be used (Russian, naming the coupling), or empty: a plane
/// outside the piece, a diameter or a tolerance that is not positive, brackets without a
/// diameter, a gap difference without a diameter, a plane without gap and angle, any number
/// that is not finite.
std::string ValidateCouplingInput(const CouplingInput& input, const CouplingGeometry& coupling);

}  // namespace shaftline
