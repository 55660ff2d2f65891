#pragma once

#include "rotor.h"

namespace shaftline {

/// True when both records hold the same inputs: section count, rotor type and, for sections
/// 1..N, coordinate, diameters, disc thickness, bore, Young's modulus, blade mass and count.
/// What a calculation or an alignment derives from them is not compared.
bool SameInputs(const TRotor& a, const TRotor& b);

}  // namespace shaftline
