#pragma once

#include <QFont>

namespace shaftline::report {

/// The font of every report text and picture: a family with Cyrillic letters that the PDF
/// embeds, at `pointSize` points.
QFont ReportFont(double pointSize, bool bold = false);

}  // namespace shaftline::report
