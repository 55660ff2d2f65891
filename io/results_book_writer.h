#pragma once

#include <string>

#include "calculation_results.h"

namespace shaftline::io {

/// Writes the results of a calculation as an .xlsx book for a spreadsheet: a sheet "Сводка"
/// with one row per rotor (reactions, coupling break and the support values of the three
/// states), then the rotors rigidly coupled (per support its own load and per state its
/// elevation, load, change of load and moment) and their influence coefficients; and a sheet
/// "Ротор k" per rotor with its sections (inputs, weight, deflection, disc correction, line
/// offset, the points of both elastic-line charts) and its support data; last, when the line has
/// couplings, a sheet "Центровка" (see WriteAlignmentSheet). Numbers are written as
/// numbers under headers that give the units; an undefined value leaves its cell empty. The
/// previous book at `path` stays intact until the new one is complete. Throws WorkbookError (a
/// Russian message naming the book and the reason) when it cannot be written.
void WriteResultsBook(const std::string& path, const CalculationResults& results);

}  // namespace shaftline::io
