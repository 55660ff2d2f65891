#pragma once

#include <memory>

#include "report_document.h"

namespace shaftline::report {

/// Title, date and time, book, rotor count and base rotor.
ReportSection TitleSection(std::shared_ptr<const ReportInput> input, const QString& title);

/// Both elastic-line charts, drawn from the rotors' chart points.
ReportSection ChartsSection(std::shared_ptr<const ReportInput> input);

/// One rotor on a page of its own: type, section table as the grid shows it with the
/// calculated deflections, support data, the sketch of an odd rotor to the page width, the
/// coupling break and the support values in the three states.
ReportSection RotorSection(std::shared_ptr<const ReportInput> input, int rotor);

/// The rotors rigidly coupled, from a new page: per support state the loads, the loads with the
/// couplings open, their change and the moments of every support; then the influence
/// coefficients; or why the line cannot be coupled.
ReportSection CoupledSection(std::shared_ptr<const ReportInput> input);

/// The alignment on site, from a new page, when the line has couplings: the readings of every
/// coupling in the three states, and with readings as found their deviations, verdicts, the
/// moves of the bearings and the loads as found. Nothing without an alignment.
ReportSection AlignmentSection(std::shared_ptr<const ReportInput> input);

}  // namespace shaftline::report
