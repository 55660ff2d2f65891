#pragma once

#include <QDateTime>
#include <string>

#include "report_input.h"
#include "shaft_line_run.h"
#include "shaft_line_workbook.h"

namespace shaftline::cli {

/// The report input of a calculated book: its results (see RunResults) in the number format
/// of the readable report (decimal point, blank between thousands).
report::ReportInput RunReportInput(const ShaftLineRun& run, const io::ShaftLineWorkbook& workbook,
                                   const std::string& bookPath, const QDateTime& created);

/// Writes the PDF report of the run. Needs no display: without an application object it makes
/// one on the offscreen platform. Returns nothing when the report was written, otherwise the
/// Russian message that says why not.
std::string WritePdfReport(const ShaftLineRun& run, const io::ShaftLineWorkbook& workbook,
                           const std::string& bookPath, const std::string& pdfPath);

/// Writes the alignment field sheet of the run in the same way; refused when the line has no
/// coupling.
std::string WriteFieldSheet(const ShaftLineRun& run, const io::ShaftLineWorkbook& workbook,
                            const std::string& bookPath, const std::string& pdfPath);

}  // namespace shaftline::cli
