#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <string>
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
/// rotor), both elastic-line charts, then per rotor its inputs, sketch and results, the rotors
/// rigidly coupled and last the alignment of the couplings when there is one.
ShaftLineReport MakeShaftLineReport(std::shared_ptr<const ReportInput> input);

/// Lays the report out on A4 portrait pages of the device, first only measuring to number the
/// pages. False when the device cannot be painted on.
bool RenderReport(QPagedPaintDevice& device, const ShaftLineReport& report);

/// The report as a PDF document with its fonts embedded; empty when it cannot be painted.
QByteArray ReportPdf(const ShaftLineReport& report);

/// Writes the report as PDF to the file `path` (its name's bytes as given) under the rule of
/// every output (ReplacingFile in output_file.h). Returns nothing when the report was written,
/// otherwise the Russian message that says why not: "Отчет «path» не записан: reason."; an
/// existing file of that name is then left as it was.
std::string WriteReportPdf(const std::string& path, const ShaftLineReport& report);

}  // namespace shaftline::report
