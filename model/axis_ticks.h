#pragma once

#include <string>
#include <string_view>

namespace shaftline {

/// Range of one chart axis, in the units of the data (mm).
struct AxisRange {
    double min = 0;
    double max = 0;
};

/// Shown while an axis has no data to fit.
inline constexpr AxisRange kEmptyAxisRange{0.0, 1.0};

/// The range of data from lo to hi; an axis of zero span cannot be drawn and gets one unit
/// around its value.
AxisRange PaddedRange(double lo, double hi);

/// The range zoomed to `percent` of its span: d = span × (percent − 100) / 100 added to the lower
/// end and taken from the upper. A zoom that would leave no finite range keeps the range.
AxisRange ZoomedRange(AxisRange range, int percent);

/// Tick marks of a chart axis at round values: every multiple of `step` from `first` up to the
/// axis's upper end, with step 1, 2 or 5 × 10^k.
struct AxisTicks {
    double first = 0;
    double step = 0;   ///< 0 when the range has no ticks (empty, inverted or not finite)
    int count = 0;     ///< ticks within the range
    int decimals = 0;  ///< digits after the separator that the labels of this step need

    double At(int index) const { return first + step * index; }
};

/// Round ticks for the range [lo, hi], at most about maxTicks of them (at least 2 are asked for).
/// The range itself is not changed: ticks only mark it.
AxisTicks RoundAxisTicks(double lo, double hi, int maxTicks);

/// Label of a tick value: at most `decimals` digits after the separator, trailing zeros and a
/// trailing separator dropped ("5000", "2.5", "-0.02"), never "-0".
std::string FormatTickLabel(double value, int decimals, std::string_view decimalSeparator);

}  // namespace shaftline
