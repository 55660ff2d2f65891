#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart_points.h"

namespace shaftline::report {

/// Field separator of a chart's data file: ';' where the decimal separator is a comma (as
/// spreadsheets of such a locale expect), ',' otherwise.
char CsvFieldSeparator(std::string_view decimalSeparator);

/// The drawn series of a chart as CSV in UTF-8 with a byte-order mark, so that spreadsheets
/// read the Cyrillic header: a header row "Ротор", "X, мм", "Y, мм", then one row per point in
/// series order, the numbers in the general format with the given decimal separator. Rows end
/// in CR LF; a field holding the separator or a quote is quoted.
std::string ChartCsv(const std::vector<SeriesPoints>& series, std::string_view decimalSeparator);

}  // namespace shaftline::report
