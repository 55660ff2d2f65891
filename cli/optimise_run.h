#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "shaft_line_run.h"
#include "support_lift_optimisation.h"

namespace shaftline::cli {

/// The support lifts chosen on the run's coupled line for the task in the file `path`, the
/// base rotor of the run holding its supports unless the task names others. The lifts are
/// those to put in force in place of any the book carries: chosen on the line without them. Throws
/// UsageError for a task that cannot be read or carried out, RotorDataError when the line
/// cannot be coupled.
SupportLiftOptimum OptimiseFromFile(const ShaftLineRun& run, const std::string& path);

/// {"lifts", "feasible", "violated", "objective": {"before", "after"}, "states": {"nominal",
/// "assembly"}: {"loads", "moments", "pressures"}}: supports numbered from 1, the states after
/// the lifts, a pressure null where no journal is given.
nlohmann::ordered_json OptimisationJson(const SupportLiftOptimum& optimum);

/// Per coupling {"number", "left_rotor", "right_rotor", "targets"}: the readings of the three
/// states with the optimised lifts in force (in place of the book's), with the planes and diameters
/// of the run's alignment inputs. Null when the line cannot be coupled or aligned.
nlohmann::ordered_json OptimisedTargetsJson(const ShaftLineRun& run, const SupportLiftOptimum& optimum);

/// For reading: per support what to do with it, the objective before and after, and whether
/// the limits hold or which ones break.
std::string OptimisationText(const SupportLiftOptimum& optimum);

}  // namespace shaftline::cli
