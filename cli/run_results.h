#pragma once

#include <string>

#include "calculation_results.h"
#include "shaft_line_run.h"
#include "shaft_line_workbook.h"

namespace shaftline::cli {

/// The results of a calculated book as the reports take them: the book's cell texts as the
/// grids would show them, the rotor types as the run took them and the support values of the
/// run, and the alignment on site of the run's inputs. The run must outlive the results, which
/// point to its rotors.
io::CalculationResults RunResults(const ShaftLineRun& run, const io::ShaftLineWorkbook& workbook,
                                  const std::string& bookPath);

}  // namespace shaftline::cli
