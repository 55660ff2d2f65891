#pragma once

#include <nlohmann/json.hpp>

#include "shaft_line_run.h"
#include "support_lift_optimisation.h"

namespace shaftline::cli {

/// The results in the JSON contract of shaftline-calc, keys in a fixed order: the base rotor,
/// per rotor its record fields, support rises and assembly values with all its section records
/// 0..N, the points of both elastic-line charts, and the rotors rigidly coupled: per support its
/// place, rotors and own load, per support state the elevations, loads, moments and axis, and
/// the influence coefficients, the lifts in force, and the alignment of the couplings on site.
/// Undefined values are null. With an optimum of the support lifts, its "optimisation" object
/// follows.
nlohmann::ordered_json JsonReport(const ShaftLineRun& run, const SupportLiftOptimum* optimum = nullptr);

}  // namespace shaftline::cli
