#pragma once

namespace shaftline {

/// One section record of a rotor. Record 0 is the left support point; records 1..N are the
/// sections, each reaching from the coordinate of the record before it to its own Coord.
/// Lengths mm, masses kg (used directly as loads), Young kgf/mm², deflections mm.
struct TRotorSection {
    double Coord = 0;           ///< mm, axial coordinate of the section's right end
    double Mass = 0;            ///< kg, shaft piece + disc + blades; 0 at an even position
    double DiscThickness = 0;   ///< mm, 0 when the section carries no disc
    double Diameter = 0;        ///< mm, outer shaft diameter
    double DiscDiameter = 0;    ///< mm
    double InnerDiameter = 0;   ///< mm, bore; 0 for a solid shaft
    double ReducedMoment = 0;   ///< kg·mm, minus StiffnessRatio × bending moment at the midpoint
    double Inertia = 0;         ///< mm⁴, area moment of the cross-section
    double Shear = 0;           ///< kg, just right of the section's end
    double ShearStep = 0;       ///< kg, (k(next) − k(own)) × Shear
    double Moment = 0;          ///< kg·mm, at the section's end, positive when sagging
    double MomentStep = 0;      ///< kg·mm, (k(next) − k(own)) × Moment
    double StiffnessRatio = 0;  ///< RefInertia/Inertia × Young(ref)/Young
    double Young = 0;           ///< kgf/mm²
    double Deflection = 0;      ///< mm, upward positive: a sagging rotor is negative
    double DiscCorrection = 0;  ///< mm, part of the deflection taken back by disc stiffening
    double LineOffset = 0;      ///< mm, elevation added by the shaft-line alignment
    double BladeMass = 0;       ///< kg, one blade
    double BladeCount = 0;      ///< blades on the disc, held as a real number
};

/// One row of a disc-stiffening factor table.
struct TFactorRow {
    double Ratio;  ///< disc thickness / shaft diameter
    double Factor;
};

}  // namespace shaftline
