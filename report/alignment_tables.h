#pragma once

#include <QString>
#include <string>
#include <vector>

#include "coupled_line.h"
#include "coupling_alignment.h"

namespace shaftline::report {

/// A table of the alignment on site as texts: the headers and one row of cells per line.
struct AlignmentTable {
    std::vector<QString> headers;
    std::vector<std::vector<QString>> rows;
};

/// Per coupling the readings of its three states (offset mm, angle mm/m, gap difference mm);
/// the assembly ones are the targets.
AlignmentTable TargetsTable(const AlignmentResult& alignment, const std::string& decimal);

/// Per coupling and plane: target, as found, deviation, tolerance, verdict, after the moves and
/// the verdict after them. The angular values are gap differences (mm) where the coupling has a
/// measuring diameter, angles (mm/m) where it has none.
AlignmentTable ReadingsTable(const AlignmentResult& alignment, const std::string& decimal);

/// Per support its vertical and horizontal move as the crew reads it, fixed and bounded marks.
AlignmentTable MovesTable(const AlignmentResult& alignment, const CoupledLine& line,
                          const std::string& decimal);

/// Per support the design load (the assembly state's) and the load if the couplings were bolted
/// as found (kgf), marked when the support would lift off or carry over twice its design load.
AlignmentTable LoadsAsFoundTable(const AlignmentResult& alignment, const CoupledLine& line,
                                 const std::string& decimal);

/// The couplings whose bracket gaps do not close, one note each.
std::vector<QString> ClosureNotes(const AlignmentResult& alignment, const std::string& decimal);

/// "1 (роторы 1 и 3)".
QString CouplingName(const CouplingAlignment& coupling);

}  // namespace shaftline::report
