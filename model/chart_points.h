#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "shaft_line.h"

namespace shaftline {

/// Points of one chart series: series index (rotor − 1) and (x mm, y mm) in drawing order.
struct SeriesPoints {
    int series = 0;
    int rotor = 0;
    std::vector<std::pair<double, double>> points;
};

/// y of section j of a rotor on the nominal line: deflection + line offset, mm.
double NominalHeight(const TRotor& rotor, int j);

/// y of section j of a rotor on the assembly-state line: the nominal y less the straight line
/// from the left support's rise at the origin to the right support's rise at the last section,
/// mm. No value for a rotor whose last coordinate is 0.
std::optional<double> AssemblyHeight(const TRotor& rotor, int j);

/// Elastic line in the nominal operating mode: deflection + line offset of every section of
/// the odd rotors 1..count that have a record, laid end to end along one axis. Even rotors
/// shift the rotors after them but give no points; empty entries are skipped without a shift.
std::vector<SeriesPoints> NominalChartPoints(const RotorArray& rotors, int count);

/// Elastic line in the assembly state: the nominal line less the straight line between the
/// rotor's two support rises. A rotor whose last coordinate is 0 gives an empty series.
std::vector<SeriesPoints> AssemblyChartPoints(const RotorArray& rotors, int count);

}  // namespace shaftline
