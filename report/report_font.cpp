#include "report_font.h"

namespace shaftline::report {

QFont ReportFont(double pointSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // Unhinted outlines: the same advance widths on paper as in the layout.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace shaftline::report
