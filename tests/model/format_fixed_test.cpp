#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "number_text.h"

namespace shaftline {
namespace {

struct FixedCase {
    const char* name;
    double value;
    int decimals;
    const char* text;
};

void PrintTo(const FixedCase& c, std::ostream* out) {
    *out << c.name;
}

class FormatFixedText : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedText, RoundsGroupsAndSigns) {
    const FixedCase& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.decimals, ",", " "), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatFixedText,
    ::testing::Values(FixedCase{"Load", 12345.678, 1, "12 345,7"},
                      FixedCase{"NegativeLoad", -1234.56, 1, "-1 234,6"},
                      FixedCase{"MomentWithoutDecimals", -9876543.5, 0, "-9 876 544"},
                      FixedCase{"Elevation", 0.00049, 3, "0,000"},
                      FixedCase{"SmallNegativeRoundsToUnsignedZero", -0.0004, 3, "0,000"},
                      FixedCase{"NegativeZero", -0.0, 1, "0,0"},
                      FixedCase{"RoundingCarriesIntoANewGroup", 999.96, 1, "1 000,0"},
                      FixedCase{"NotANumber", std::nan(""), 1, "—"},
                      FixedCase{"Infinity", std::numeric_limits<double>::infinity(), 0, "—"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatFixedText, SeparatorsAreTheCallers) {
    EXPECT_EQ(FormatFixed(1234567.25, 2, ".", "\u00a0"), "1\u00a0234\u00a0567.25");
    EXPECT_EQ(FormatFixed(1234.5, 1, ",", ""), "1234,5");
}

TEST(FormatShortestText, ReadsBackAsTheSameDouble) {
    for (double value : {0.1, -1234.5678, 1.0 / 3, 1.5e-7, 6.02e23, 0.0}) {
        const std::string text = FormatShortest(value, ",");
        EXPECT_EQ(ParseReal(text, ","), value) << text;
        EXPECT_EQ(text.find('.'), std::string::npos) << text;
    }
    EXPECT_EQ(FormatShortest(-2.5, ","), "-2,5");
    EXPECT_EQ(FormatShortest(std::nan(""), ","), "—");
}

}  // namespace
}  // namespace shaftline
