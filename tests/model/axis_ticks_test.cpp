#include "axis_ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace shaftline {
namespace {

std::vector<std::string> Labels(double lo, double hi, int maxTicks, const char* separator = ".") {
    const AxisTicks ticks = RoundAxisTicks(lo, hi, maxTicks);
    std::vector<std::string> labels;
    for (int i = 0; i < ticks.count; ++i)
        labels.push_back(FormatTickLabel(ticks.At(i), ticks.decimals, separator));
    return labels;
}

using Strings = std::vector<std::string>;

TEST(AxisTicks, ZoomedRangesGetRoundLabels) {
    // The range a 90 % zoom gives around 0..29470 mm of shaft line.
    EXPECT_EQ(Labels(-2947.0, 32417.0, 8),
              (Strings{"0", "5000", "10000", "15000", "20000", "25000", "30000"}));
    EXPECT_EQ(Labels(-2.2, 0.35, 6), (Strings{"-2", "-1.5", "-1", "-0.5", "0"}));
    EXPECT_EQ(Labels(-0.0123, 0.0311, 5), (Strings{"-0.01", "0", "0.01", "0.02", "0.03"}));
    EXPECT_EQ(Labels(0, 1, 5, ","), (Strings{"0", "0,2", "0,4", "0,6", "0,8", "1"}));
}

TEST(AxisTicks, RangesWithoutTicks) {
    EXPECT_EQ(RoundAxisTicks(1, 1, 5).count, 0);
    EXPECT_EQ(RoundAxisTicks(2, 1, 5).count, 0);
    EXPECT_EQ(RoundAxisTicks(0, std::numeric_limits<double>::infinity(), 5).count, 0);
    EXPECT_EQ(RoundAxisTicks(-1e308, 1e308, 5).count, 0);  // the span itself overflows
}

TEST(AxisTicks, StepsAreOneTwoOrFiveTimesAPowerOfTen) {
    for (const double span : {0.37, 1.0, 7.3, 19.9, 250.0, 1e6, 3.3e-7}) {
        const AxisTicks ticks = RoundAxisTicks(0, span, 6);
        const double mantissa = ticks.step / std::pow(10.0, std::floor(std::log10(ticks.step)));
        EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                    std::abs(mantissa - 5) < 1e-9)
            << span;
        EXPECT_LE(ticks.count, 7) << span;
        EXPECT_GE(ticks.count, 3) << span;
    }
}

TEST(AxisTicks, LabelsNeverShowMinusZeroOrTrailingZeros) {
    EXPECT_EQ(FormatTickLabel(-1e-17, 2, "."), "0");
    EXPECT_EQ(FormatTickLabel(14735.0, 0, "."), "14735");
    EXPECT_EQ(FormatTickLabel(0.30000000000000004, 1, ","), "0,3");
}

}  // namespace
}  // namespace shaftline
