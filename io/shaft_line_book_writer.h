#pragma once

#include <string>
#include <string_view>

#include "shaft_line_workbook.h"

namespace shaftline::io {

/// Writes the shaft line as an .xlsx book in the layout ReadShaftLineWorkbook reads: sheet k
/// "Ротор k" for rotor k; A1 the section count (the number of rows); rows 2..N+1 the eight
/// section columns; row N+3 the 18 support values. A text that is a number with the given
/// decimal separator becomes that number, unless the reader's general format could not give the
/// same number back; every other text, a wrong entry too, is written as it stands. Cells the
/// reader skips carry headers for a person, J1/K1 the label "Тип ротора" and the rotor type
/// of a sheet whose rotorType is not empty, and J2/K2 of the first sheet the label
/// "Базовый ротор" and the base rotor's number when the book names one. The previous book at `path` stays intact until the
/// new one is complete. Throws WorkbookError (a Russian message naming the book and the reason)
/// for a failed write or for a book the reader could not take back: no sheet or more than 19,
/// a sheet without sections or with more than 50, a text too long for a cell.
void WriteShaftLineBook(const std::string& path, const ShaftLineWorkbook& book,
                        std::string_view decimalSeparator);

}  // namespace shaftline::io
