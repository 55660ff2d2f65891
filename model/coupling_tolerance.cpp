#include "coupling_tolerance.h"

#include <cmath>

namespace shaftline {

double AngularDeviation(double angle, const std::optional<double>& diameter) {
    return diameter ? *diameter * angle : 1000 * angle;
}

std::optional<bool> InTolerance(const CouplingReading& reading, const CouplingReading& target,
                                const CouplingTolerance& tolerance,
                                const std::optional<double>& diameter) {
    if (!tolerance.offset && !tolerance.angular) return std::nullopt;
    double share = 0;
    if (tolerance.offset) share += std::fabs(reading.offset - target.offset) / *tolerance.offset;
    if (tolerance.angular) {
        share += std::fabs(AngularDeviation(reading.angle - target.angle, diameter)) /
                 *tolerance.angular;
    }
    // Readings given to the hundredth land on the boundary only up to the rounding of binary
    // fractions: a few units in the last place count as on it.
    return share <= 1 + 1e-12;
}

}  // namespace shaftline
