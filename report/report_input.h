#pragma once

#include <QDateTime>
#include <string>

#include "calculation_results.h"

namespace shaftline::report {

using io::RotorInputTexts;

/// Everything a report of the last calculation shows: the results with the moment the report
/// states and the number format it writes them in.
struct ReportInput : io::CalculationResults {
    QDateTime created;  ///< date and time the report states
    std::string groupSeparator = " ";
};

}  // namespace shaftline::report
