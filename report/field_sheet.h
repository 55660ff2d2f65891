#pragma once

#include <QByteArray>
#include <string>

#include "report_input.h"

class QPagedPaintDevice;

namespace shaftline::report {

/// "Формуляр центровки": one A4 landscape page for the crew on site with every coupling's
/// targets, the readings as found, their deviations, tolerances and verdicts, the readings
/// after the moves and the moves of the bearings. The tables shrink their type to stay on the
/// page. False when the input holds no alignment or the device cannot be painted on.
bool PaintFieldSheet(QPagedPaintDevice& device, const ReportInput& input);

/// The field sheet as a PDF document with its fonts embedded; empty when it cannot be painted.
QByteArray FieldSheetPdf(const ReportInput& input);

/// Writes the field sheet as PDF to `path` under the rule of every output (ReplacingFile).
/// Returns nothing when it was written, otherwise the Russian message that says why not:
/// "Формуляр центровки «path» не записан: reason."; an existing file is then left as it was.
std::string WriteFieldSheetPdf(const std::string& path, const ReportInput& input);

}  // namespace shaftline::report
