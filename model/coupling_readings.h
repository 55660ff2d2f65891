#pragma once

#include <array>
#include <optional>
#include <vector>

#include "coupled_states.h"
#include "shaft_line.h"

namespace shaftline {

/// A coupling of the line: the even record p between the odd rotors p − 1 and p + 1. Supports
/// J(p−2), J(p−1) carry rotor A = p − 1, J(p), J(p+1) rotor B = p + 1; the piece p (length c)
/// is weightless and both halves are straight beyond their bearings.
struct CouplingGeometry {
    int number = 0;          ///< p / 2
    int piece = 0;           ///< record p
    int firstSupport = 0;    ///< j of J(p−2); the coupling sees J(p−2)..J(p+1)
    double leftLength = 0;   ///< mm, LA
    double pieceLength = 0;  ///< mm, c
    double rightLength = 0;  ///< mm, LB
    double plane = 0;        ///< mm, a: from the piece's left end, 0..c
    /// rad, the rotors' own journal angles: ωR of A and ωL of B, slopes relative to the chord.
    double leftOwnAngle = 0;
    double rightOwnAngle = 0;
    std::optional<double> diameter;  ///< mm, D
};

/// The readings of one coupling in one plane.
struct CouplingReading {
    double offset = 0;  ///< mm, o = yB − yA: positive when the right half is higher
    double angle = 0;   ///< rad, α = θA − θB: positive when the coupling opens at the top
    std::optional<double> gap;  ///< mm, Δ = D·α when the diameter is known
};

/// The couplings of rotors 1..count with the plane in the middle of each piece and no diameter:
/// every even record with a rotor on both sides. aligned says whether the alignment to a base
/// rotor has run: then the own angles are the ones it kept, else the solver's journal angles.
/// Entries 1..count must exist and hold solved rotors.
std::vector<CouplingGeometry> Couplings(const RotorArray& rotors, int count, bool aligned);

/// The readings of a coupling for the support elevations z(J0..J(n)) (mm).
CouplingReading ReadingAt(const CouplingGeometry& coupling, const std::vector<double>& z);

/// How the offset and the angle change per unit move of J(firstSupport + i), i = 0..3 (mm per
/// mm, rad per mm): the halves move rigidly with their bearings.
struct ReadingSensitivity {
    std::array<double, 4> offset{};
    std::array<double, 4> angle{};
};
ReadingSensitivity SensitivityOf(const CouplingGeometry& coupling);

/// The readings in the three states (indexed by SupportState) for their elevations (with any
/// lifts in force): the level, the nominal and the assembly ones. The assembly readings are the
/// targets of the alignment on site.
using StateReadings = std::array<CouplingReading, kSupportStateCount>;
StateReadings TargetReadings(const CouplingGeometry& coupling,
                             const std::array<std::vector<double>, kSupportStateCount>& elevations);

}  // namespace shaftline
