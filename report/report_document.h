#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "report_input.h"
#include "report_layout.h"

class QPagedPaintDevice;

namespace shaftline::report {

/// One part of the report: it lays itself out, page breaks included.
using ReportSection = std::function<void(ReportLayout&)>;

/// A report as the sequence of its sections; a further section joins with
/// `report.sections.push_back(...)`.
struct ShaftLineReport {
    QString title;   ///< document title
    QString footer;  ///< left part of every page's footer
    std::vector<ReportSection> sections;
};

/// The report of the last calculation: the title block (date and time, book, rotor count, base
/// rotor), both elastic-line charts, then per rotor its inputs, sketch and results, and last the
/// rotors rigidly coupled.
ShaftLineReport MakeShaftLineReport(std::shared_ptr<const ReportInput> input);

/// Lays the report out on A4 portrait pages of the device, first only measuring to number the
/// pages. False when the device cannot be painted on.
bool RenderReport(QPagedPaintDevice& device, const ShaftLineReport& report);

/// Writes the report as PDF with its fonts embedded. False when the file cannot be written;
/// an existing file of that name is then left as it was.
bool WriteReportPdf(const QString& path, const ShaftLineReport& report);

}  // namespace shaftline::report
