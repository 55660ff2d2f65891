#pragma once

#include <optional>
#include <string>
#include <vector>

#include "coupling_alignment.h"
#include "shaft_line_run.h"

namespace shaftline::cli {

/// The alignment on site of a calculated shaft line with its inputs.
struct AlignmentRun {
    std::optional<CoupledShaftLine> coupled;  ///< none when the line cannot be coupled
    std::optional<AlignmentResult> result;    ///< none without a coupled line or when refused
    std::string refusal;                      ///< why the inputs were refused (Russian), or empty
    std::vector<double> lifts;                ///< mm per support: the lifts in force, in every state
};

AlignmentRun RunAlignment(const ShaftLineRun& run);

}  // namespace shaftline::cli
