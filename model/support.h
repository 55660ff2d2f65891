#pragma once

#include <array>
#include <optional>

#include "rotor.h"

namespace shaftline {

/// Row 1 of a rotor's support-data grid: columns 0..8 the left support, 9..17 the right one,
/// each as foundation height, foundation temperature, frame height, frame temperature, bearing
/// housing height, bearing housing temperature, condenser, vacuum and journal terms.
/// Heights and terms mm, temperatures °C.
using SupportData = std::array<double, 18>;
inline constexpr int kSupportColumns = 18;

struct SupportRises {
    double left = 0;   ///< mm
    double right = 0;  ///< mm
};

/// Thermal and other rise of one support from its nine values (first = index of the
/// foundation height: 0 for the left support, 9 for the right).
double SupportRise(const SupportData& data, int first);

SupportRises CalcSupportRises(const SupportData& data);

/// Computes the rises and stores them in the rotor.
SupportRises ApplySupportRises(TRotor& rotor, const SupportData& data);

/// Angle by which the rotor tips when its supports come down by their rises:
/// arcsin(|left − right| / length). No value when the length is not positive or the rise
/// difference exceeds it.
std::optional<double> AssemblyTilt(double leftRise, double rightRise, double length);

/// A rotor's support values in the nominal operating mode, the assembly state and with
/// horizontal supports. Angles rad, lengths mm.
struct SupportStates {
    double nominalLeftAngle = 0;       ///< L
    double nominalRightAngle = 0;      ///< R
    double ownLeftAngle = 0;           ///< OL, supports horizontal
    double ownRightAngle = 0;          ///< OR
    double nominalLeftElevation = 0;   ///< e(0)
    double nominalRightElevation = 0;  ///< e(N)
    double leftRise = 0;               ///< assembly correction of the left support
    double rightRise = 0;
    std::optional<double> assemblyTilt;
    std::optional<double> assemblyLeftAngle;   ///< L ± tilt
    std::optional<double> assemblyRightAngle;  ///< R ± tilt
    double assemblyLeftElevation = 0;          ///< e(0) − leftRise
    double assemblyRightElevation = 0;         ///< e(N) − rightRise
};

/// The three-state values of a rotor for the given rises.
SupportStates ComputeSupportStates(const TRotor& rotor, SupportRises rises);

}  // namespace shaftline
