#pragma once

#include <optional>

#include "coupling_readings.h"

namespace shaftline {

/// A coupling's tolerances: offset T_o (mm) and the angular one T_Δ, a gap difference over the
/// measuring diameter (mm) or, without a diameter, an angle (mm/m). Either may be absent.
struct CouplingTolerance {
    std::optional<double> offset;
    std::optional<double> angular;
};

/// The angular part of a deviation in the unit of its tolerance: the gap difference D·α (mm)
/// with a diameter, the angle in mm/m without one.
double AngularDeviation(double angle, const std::optional<double>& diameter);

/// Whether a plane's deviation e = reading − target is in tolerance:
/// |e_o| / T_o + |e_Δ| / T_Δ ≤ 1 over the tolerances given (the boundary is inside, up to the
/// rounding of the quotients). None without any tolerance.
std::optional<bool> InTolerance(const CouplingReading& reading, const CouplingReading& target,
                                const CouplingTolerance& tolerance,
                                const std::optional<double>& diameter);

}  // namespace shaftline
