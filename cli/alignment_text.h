#pragma once

#include <string>

#include "alignment_run.h"

namespace shaftline::cli {

/// The alignment of the couplings on site for reading: the targets in the three states, the
/// readings as found and after the moves with their verdicts, the bearing moves and the loads
/// as found. Nothing when the line has no coupling or cannot be coupled.
std::string AlignmentText(const AlignmentRun& alignment);

}  // namespace shaftline::cli
