#pragma once

#include <string>

#include "shaft_line_run.h"

namespace shaftline::cli {

/// A report for reading: per rotor its sections (coordinate, deflection, line offset) in the
/// grid format, then the journal angles, the coupling break, the support rises and the
/// assembly values in the number format of the parameters window; then, with the rotors rigidly
/// coupled, the loads and bending moments of every support in the three support states.
std::string TextReport(const ShaftLineRun& run);

}  // namespace shaftline::cli
