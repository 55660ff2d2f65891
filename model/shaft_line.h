#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "rotor.h"

namespace shaftline {

inline constexpr int kMaxRotors = 19;

/// Magnitudes of the section inputs that the calculation carries in double precision: within
/// them fourth powers of diameters, stiffness ratios and the cubed lever arms of the solver stay
/// far from overflow and underflow. The validation refuses anything outside them.
inline constexpr double kMaxLength = 1e6;      ///< mm, any coordinate, diameter or thickness
inline constexpr double kMinLength = 1e-6;     ///< mm, smallest coordinate or shaft diameter
inline constexpr double kMinYoung = 1;         ///< kgf/mm²
inline constexpr double kMaxYoung = 1e8;       ///< kgf/mm²
inline constexpr double kMaxBladeMass = 1e6;   ///< kg, magnitude
inline constexpr double kMaxBladeCount = 1e6;  ///< magnitude

/// The rotors of the shaft line: entry k (1..19) is rotor k, entry 0 is never used; any entry
/// may be empty. Consumers visit 1..count and skip empty entries.
using RotorArray = std::array<std::unique_ptr<TRotor>, kMaxRotors + 1>;

/// One problem found in a rotor's inputs. section is 0 when it concerns the whole rotor.
struct RotorProblem {
    int rotor = 0;
    int section = 0;
    std::string message;  ///< Russian, names rotor and section
};

/// Every problem of one rotor's inputs that would make the solver divide by zero, take a root
/// of a negative number, lay sections backwards or leave the range of double precision.
std::vector<RotorProblem> ValidateRotor(const TRotor& rotor, int rotorNumber);

/// All problems of rotors 1..count, in rotor order; a missing record and a count outside
/// 1..19 are problems too.
std::vector<RotorProblem> ValidateShaftLine(const RotorArray& rotors, int count);

/// The calculation run over rotors 1..count: flag even positions just before solving, solve
/// every rotor, derive the coupling breaks. The records are expected fresh from the transfer.
/// All or nothing: when the inputs have a problem nothing is touched; when a rotor's results
/// would not be finite every record goes back to its inputs alone, as the transfer made it.
/// Either way the problems are returned and no result is stored.
std::vector<RotorProblem> RunCalculation(RotorArray& rotors, int count);

/// Angle break at every coupling: rotor k gets RightJournalAngle(k-1) − LeftJournalAngle(k),
/// for k = 2..count. Entries must exist.
void CalcCouplingBreaks(RotorArray& rotors, int count);

/// Numbers of the rotors 1..count that have no record (a calculation has not covered them).
std::vector<int> MissingRotors(const RotorArray& rotors, int count);

/// Lays the shaft line out from base rotor `base`: line offsets, own angles and shifted journal
/// angles of rotors 1..count. Does not compute the support rises (see support.h).
/// Entries 1..count must exist and 1 <= base <= count.
void AlignShaftLine(RotorArray& rotors, int count, int base);

}  // namespace shaftline
