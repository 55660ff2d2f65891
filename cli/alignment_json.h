#pragma once

#include <nlohmann/json.hpp>

#include "alignment_run.h"

namespace shaftline::cli {

/// The "alignment" object of the JSON results: per coupling its rotors, plane, diameter, the
/// readings of the three states, the readings as found with their closure and verdicts, the
/// readings after the moves and their verdicts; the moves (supports numbered from 1) and the
/// loads as found. Null when the line has no coupling or cannot be coupled.
nlohmann::ordered_json AlignmentJson(const AlignmentRun& alignment);

/// {"level", "nominal", "assembly"}: the readings of a coupling in the three states.
nlohmann::ordered_json TargetsJson(const CouplingAlignment& coupling);

}  // namespace shaftline::cli
