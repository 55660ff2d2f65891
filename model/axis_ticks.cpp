#include "axis_ticks.h"

#include <algorithm>
#include <cmath>
#include <charconv>

namespace shaftline {

namespace {

// The round step, 1, 2 or 5 × 10^k, nearest above `raw`.
double RoundStep(double raw, int& exponent) {
    exponent = static_cast<int>(std::floor(std::log10(raw)));
    const double magnitude = std::pow(10.0, exponent);
    for (const double mantissa : {1.0, 2.0, 5.0}) {
        // A small tolerance keeps a raw step of exactly 2 × 10^k from rounding up to 5 × 10^k.
        if (mantissa * magnitude >= raw * (1 - 1e-12)) return mantissa * magnitude;
    }
    ++exponent;
    return 10.0 * magnitude;
}

}  // namespace

AxisRange PaddedRange(double lo, double hi) {
    if (lo < hi) return {lo, hi};
    return {lo - 0.5, hi + 0.5};
}

AxisRange ZoomedRange(AxisRange range, int percent) {
    const double d = (range.max - range.min) * (static_cast<double>(percent) - 100.0) * 0.01;
    const AxisRange next{range.min + d, range.max - d};
    if (!(next.min < next.max) || !std::isfinite(next.min) || !std::isfinite(next.max))
        return range;
    return next;
}

AxisTicks RoundAxisTicks(double lo, double hi, int maxTicks) {
    AxisTicks ticks;
    const double span = hi - lo;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(span) || span <= 0) return ticks;
    maxTicks = std::max(maxTicks, 2);
    int exponent = 0;
    const double step = RoundStep(span / maxTicks, exponent);
    if (!std::isfinite(step) || step <= 0) return ticks;
    ticks.step = step;
    ticks.decimals = std::max(0, -exponent);
    ticks.first = std::ceil(lo / step - 1e-9) * step;
    const double count = std::floor((hi - ticks.first) / step + 1e-9) + 1;
    ticks.count = count > 0 ? static_cast<int>(std::min(count, 1000.0)) : 0;
    return ticks;
}

std::string FormatTickLabel(double value, int decimals, std::string_view decimalSeparator) {
    if (!std::isfinite(value)) return {};
    decimals = std::clamp(decimals, 0, 20);
    char buffer[400];  // the largest double has 309 integer digits
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return {};
    std::string text(buffer, end);
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    const std::size_t separator = text.find('.');
    if (separator != std::string::npos) text.replace(separator, 1, decimalSeparator);
    return text;
}

}  // namespace shaftline
