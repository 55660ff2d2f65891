#pragma once

#include <vector>

#include "rotor.h"

namespace shaftline {

/// One rotor as a span of the coupled shaft line: a beam simply supported on its two bearings,
/// bending rigidity Young × Inertia constant within each section, every section's Mass a point
/// load at its midpoint. Holds what the equations of three moments need of the span, integrated
/// exactly over its sections, and the deflections from which the axis is formed.
///
/// Rotations are dy/dx with y upward; a sagging moment (positive) bends the span concave up.
/// The curvature is M / EI; with unit end moments the diagrams are 1 − t/L and t/L.
struct CoupledSpan {
    long double length = 0;         ///< mm, L
    long double leftReaction = 0;   ///< kgf, of the simply supported span under its weights
    long double rightReaction = 0;  ///< kgf
    /// (1/L)∫(L−t)·M0/EI dt: minus the left end rotation under the weights, rad.
    long double weightLeftRotation = 0;
    /// (1/L)∫t·M0/EI dt: the right end rotation under the weights, rad.
    long double weightRightRotation = 0;
    /// Flexibilities, rad per kgf·mm: (1/L²)∫(L−t)²/EI, (1/L²)∫t(L−t)/EI, (1/L²)∫t²/EI.
    long double leftFlexibility = 0;
    long double crossFlexibility = 0;
    long double rightFlexibility = 0;

    /// Section ends 0..N: local coordinate (mm, 0 at the left bearing) and the deflection from
    /// the chord under the weights (mm) and per unit moment at the left and at the right bearing
    /// (mm per kgf·mm). All three deflections are exactly 0 at both ends.
    std::vector<double> coord;
    std::vector<double> weightDeflection;
    std::vector<double> leftMomentDeflection;
    std::vector<double> rightMomentDeflection;
};

/// The span of one solved rotor record: Coord, Mass, Young and Inertia of sections 1..N.
/// Expects a positive span and a positive rigidity in every section of positive length; a
/// section of zero length adds no flexibility, only its weight at its single point.
CoupledSpan SpanOfRotor(const TRotor& rotor);

}  // namespace shaftline
