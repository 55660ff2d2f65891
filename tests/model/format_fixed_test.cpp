#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <ostream>

#include "axis_ticks.h"
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

// A windowed program runs with the C library's numbers in the user's locale (a decimal comma in
// ru_RU.UTF-8): the texts must not change with it.
class UnderRussianCLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = std::setlocale(LC_NUMERIC, nullptr);
        if (std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") == nullptr) GTEST_SKIP() << "no ru_RU.UTF-8";
    }
    void TearDown() override { std::setlocale(LC_NUMERIC, saved_.c_str()); }

  private:
    std::string saved_;
};

TEST_F(UnderRussianCLocale, TextsAreTheSameAsInTheCLocale) {
    EXPECT_EQ(FormatFixed(14710.7, 1, ",", " "), "14 710,7");
    EXPECT_EQ(FormatFixed(8487.0, 3, ",", " "), "8 487,000");
    EXPECT_EQ(FormatFixed(-82.5, 1, ",", " "), "-82,5");
    EXPECT_EQ(FormatGeneral(4974.5, "."), "4974.5");
    EXPECT_EQ(FormatGeneral(1.5e-5, ","), "1,5E-5");
    EXPECT_EQ(FormatNumber7(-0.00012345, ",", " "), "-0,000123450");
    EXPECT_EQ(FormatNumber7(1234.5, ",", " "), "1 234,500000000");
    EXPECT_EQ(FormatTickLabel(2.5, 1, ","), "2,5");
    EXPECT_EQ(ParseReal("1,5e-310", ","), 1.5e-310);
}

}  // namespace
}  // namespace shaftline
