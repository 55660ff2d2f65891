#pragma once

#include <string>

#include "calc_options.h"
#include "support_lift_task.h"

namespace shaftline::cli {

/// Largest task file --optimise reads: a task for 20 supports takes a few hundred bytes.
inline constexpr std::size_t kMaxOptimiseTaskBytes = 64 * 1024;

/// The task of the support lifts from a JSON object (supports numbered 1..supportCount):
///   {"target": "own" | [kgf per support], "states": ["nominal", "assembly"], "band": %,
///    "min_load": kgf, "fixed": [support, ...], "bounds": {"min": mm, "max": mm} |
///    [[min, max] per support], "journals": [{"support", "diameter", "length", "pressure_max"}]}
/// Every key may be left out; without "journals" the task takes `bookJournals`. Throws
/// UsageError naming the key at fault.
SupportLiftTask ParseOptimiseTask(const std::string& text, int supportCount,
                                  const std::vector<JournalSize>& bookJournals = {});

/// The task read from the file at `path`; throws UsageError naming the file and the key.
SupportLiftTask ReadOptimiseTask(const std::string& path, int supportCount,
                                 const std::vector<JournalSize>& bookJournals = {});

}  // namespace shaftline::cli
