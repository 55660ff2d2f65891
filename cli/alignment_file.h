#pragma once

#include <string>

#include "alignment_inputs.h"

namespace shaftline::cli {

/// Largest alignment file read (bytes): a line has at most nine couplings and twenty bearings.
inline constexpr std::size_t kMaxAlignmentFileSize = 1 << 20;

/// The alignment inputs in the JSON of --alignment:
/// {"couplings": [{"number", "plane", "diameter", "tolerance": {"offset", "gap" | "angle"},
///   "brackets": {"radial": [a1..a4], "axial": [b1..b4]} | "found": {"vertical": {"offset",
///   "gap" | "angle"}, "horizontal": {...}}}], "fixed": [support numbers], "bounds":
///   [{"support", "move_min", "move_max"}]}. Supports and couplings are numbered from 1; a
/// tolerance's "angle" and a reading's "gap" need the coupling's diameter, its brackets too.
/// Throws UsageError naming `path` and the key at fault.
AlignmentInputs ParseAlignmentJson(const std::string& text, const std::string& path);

/// Reads and parses the file; a missing, unreadable or oversized file is refused the same way.
AlignmentInputs ReadAlignmentFile(const std::string& path);

}  // namespace shaftline::cli
