#include "round_axis_ticks.h"

#include <QCategoryAxis>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "axis_ticks.h"
#include "number_locale.h"

namespace {

// A category axis draws a tick, a grid line and a label at the end of every category; each
// category ends at the next round value. The first one starts at the axis minimum, where the
// plot frame already draws a line. True when the categories changed.
bool SetRoundTicks(QCategoryAxis* axis, double lo, double hi, int maxTicks) {
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
    if (labels == axis->categoriesLabels() && axis->startValue() == lo) return false;
    {
        // The axis lays itself out again once, not for every category removed and added.
        const QSignalBlocker quiet(axis);
        for (const QString& label : axis->categoriesLabels()) axis->remove(label);
        axis->setStartValue(lo);
        for (qsizetype i = 0; i < labels.size(); ++i) axis->append(labels[i], values[i]);
    }
    emit axis->categoriesChanged();
    return true;
}

}  // namespace

// The chart lays an axis out anew, and restarts an animation of it over the new ticks, only
// when its range changes; an animation left running over the old ticks would draw more ticks
// than there are labels. New ticks therefore always come with a range change, if need be a
// passing one.
void SetAxisRangeWithRoundTicks(QCategoryAxis* axis, double lo, double hi, int maxTicks) {
    const bool ticksChanged = SetRoundTicks(axis, lo, hi, maxTicks);
    if (ticksChanged && axis->min() == lo && axis->max() == hi)
        axis->setRange(lo, hi + std::max(hi - lo, std::fabs(hi) * 1e-9));
    axis->setRange(lo, hi);
}
