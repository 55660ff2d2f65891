#pragma once

#include "calculation_results.h"
#include "xlsx_writer.h"

namespace shaftline::io {

/// The sheet "Центровка" of the results book: per coupling its place and its readings in the
/// three states (the assembly ones are the targets); with readings as found, per coupling and
/// plane the readings, tolerances and verdicts before and after the moves; and per support its
/// moves and the loads as found beside the design loads. Numbers as numbers (offsets, gap
/// differences and moves in mm, angles in rad, loads in kgf); `header` and `bold` are the
/// book's formats of table captions and titles.
void WriteAlignmentSheet(XlsxSheet& sheet, const CalculationResults& results, XlsxFormat header,
                         XlsxFormat bold);

}  // namespace shaftline::io
