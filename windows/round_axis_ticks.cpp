#include "round_axis_ticks.h"

#include <QCategoryAxis>

#include "axis_ticks.h"
#include "number_locale.h"

// A category axis draws a tick, a grid line and a label at the end of every category; each
// category ends at the next round value. The first one starts at the axis minimum, where the
// plot frame already draws a line.
void SetRoundAxisTicks(QCategoryAxis* axis, double lo, double hi, int maxTicks) {
    const shaftline::AxisTicks ticks = shaftline::RoundAxisTicks(lo, hi, maxTicks);
    const std::string separator = DecimalSeparator();
    QStringList labels;
    QList<double> values;
    for (int i = 0; i < ticks.count; ++i) {
        const double value = ticks.At(i);
        labels << QString::fromStdString(
            shaftline::FormatTickLabel(value, ticks.decimals, separator));
        values << value;
    }
    if (labels == axis->categoriesLabels() && axis->startValue() == lo) return;
    for (const QString& label : axis->categoriesLabels()) axis->remove(label);
    axis->setStartValue(lo);
    for (qsizetype i = 0; i < labels.size(); ++i) axis->append(labels[i], values[i]);
}
