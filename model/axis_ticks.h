#pragma once

#include <string>
#include <string_view>

namespace shaftline {

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
