#include "number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <random>
#include <vector>

#include "param_names.h"

namespace shaftline {
namespace {

constexpr std::string_view kNbsp = "\u00A0";

template <typename Case>
std::string ValueName(const ::testing::TestParamInfo<Case>& info) {
    return testing::NumberName(info.param.value);
}

struct GeneralCase {
    double value;
    const char* dot;
    const char* comma;
};

void PrintTo(const GeneralCase& c, std::ostream* os) {
    *os << c.value << " -> \"" << c.dot << "\"";
}

class FormatGeneralTest : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(FormatGeneralTest, FifteenSignificantDigitsWithTheGivenSeparator) {
    EXPECT_EQ(FormatGeneral(GetParam().value, "."), GetParam().dot);
    EXPECT_EQ(FormatGeneral(GetParam().value, ","), GetParam().comma);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatGeneralTest,
    ::testing::Values(
        GeneralCase{0.0, "0", "0"}, GeneralCase{-0.0, "0", "0"}, GeneralCase{1.5, "1.5", "1,5"},
        GeneralCase{-0.0085119, "-0.0085119", "-0,0085119"}, GeneralCase{0.1 + 0.2, "0.3", "0,3"},
        GeneralCase{1234567.25, "1234567.25", "1234567,25"},
        GeneralCase{0.0001, "0.0001", "0,0001"}, GeneralCase{0.00009999, "9.999E-5", "9,999E-5"},
        GeneralCase{-1.70238e-5, "-1.70238E-5", "-1,70238E-5"},
        GeneralCase{2.1e4, "21000", "21000"},
        GeneralCase{123456789012345.6, "123456789012346", "123456789012346"},
        GeneralCase{1e15, "1E15", "1E15"}, GeneralCase{2.5e20, "2.5E20", "2,5E20"},
        GeneralCase{1.0 / 3, "0.333333333333333", "0,333333333333333"}),
    ValueName<GeneralCase>);

// The general format's quick road agrees with the digit-by-digit one everywhere, at the
// boundaries of the exponent form too.
TEST(FormatGeneral, AgreesWithFifteenSignificantDigits) {
    std::mt19937_64 bits(20261208);
    std::vector<double> values = {9.999999999999995e14, 9.9999999999999949e14, 1e15, 0.0001,
                                  0.000099999999999999995, 1.5e-5, -2.5e20, 5e-324, 1.7976931348623157e308};
    for (int i = 0; i < 50000; ++i) {
        double value = 0;
        const std::uint64_t pattern = bits();
        std::memcpy(&value, &pattern, sizeof value);
        if (std::isfinite(value)) values.push_back(value);
        values.push_back(std::ldexp(static_cast<double>(pattern >> 11), -53) * std::pow(10.0, i % 40 - 20));
    }
    for (double value : values)
        ASSERT_EQ(FormatGeneral(value, ","), FormatSignificant(value, 15, ",")) << value;
}

TEST(FormatSignificant, RoundsToTheDigitsAndDropsTrailingZeros) {
    EXPECT_EQ(FormatSignificant(552.253, 6, ","), "552,253");
    EXPECT_EQ(FormatSignificant(274.6064, 6, "."), "274.606");
    EXPECT_EQ(FormatSignificant(0.000012345678, 3, "."), "1.23E-5");
    EXPECT_EQ(FormatSignificant(999999.7, 6, "."), "1000000");
}

struct Number7Case {
    double value;
    const char* text;  // '.' decimal, ' ' thousands
};

void PrintTo(const Number7Case& c, std::ostream* os) {
    *os << c.value << " -> \"" << c.text << "\"";
}

class FormatNumber7Test : public ::testing::TestWithParam<Number7Case> {};

TEST_P(FormatNumber7Test, SevenSignificantNineDecimalsWithThousands) {
    EXPECT_EQ(FormatNumber7(GetParam().value, ".", " "), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatNumber7Test,
    ::testing::Values(Number7Case{0.5, "0.500000000"}, Number7Case{0, "0.000000000"},
                      Number7Case{-1.70238e-5, "-0.000017024"},
                      Number7Case{1234.56789, "1 234.568000000"},
                      Number7Case{-9876543.2, "-9 876 543.000000000"},
                      Number7Case{12345678, "1.234568E7"}, Number7Case{3e-10, "0.000000000"},
                      Number7Case{-3e-10, "0.000000000"}, Number7Case{6e-10, "0.000000001"},
                      Number7Case{5e-10, "0.000000001"}, Number7Case{-5e-10, "-0.000000001"},
                      Number7Case{4.9999e-10, "0.000000000"},
                      Number7Case{0.123456789, "0.123456800"}),
    ValueName<Number7Case>);

TEST(FormatNumber7, RussianSeparators) {
    EXPECT_EQ(FormatNumber7(0.5, ",", kNbsp), "0,500000000");
    EXPECT_EQ(FormatNumber7(1234.5, ",", kNbsp), "1\u00A0234,500000000");
}

TEST(ParseInteger, DecimalWithOptionalSign) {
    EXPECT_EQ(ParseInteger("19"), 19);
    EXPECT_EQ(ParseInteger("-3"), -3);
    EXPECT_EQ(ParseInteger("+7"), 7);
    EXPECT_EQ(ParseInteger(" 5 "), 5);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ParseInteger, RefusalsQuoteTheText) {
    for (const char* bad : {"", " ", "1.5", "abc", "12a", "2147483648", "--1", "1e3", "+"}) {
        try {
            ParseInteger(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(bad) + "' is not a valid integer value");
            EXPECT_EQ(e.text(), bad);
        }
    }
}

TEST(ParseReal, LocaleSeparatorSignAndExponent) {
    EXPECT_EQ(ParseReal("1.5", "."), 1.5);
    EXPECT_EQ(ParseReal("1,5", ","), 1.5);
    EXPECT_EQ(ParseReal("-0,0085119", ","), -0.0085119);
    EXPECT_EQ(ParseReal("2.1e5", "."), 2.1e5);
    EXPECT_EQ(ParseReal("2,1E+5", ","), 2.1e5);
    EXPECT_EQ(ParseReal("1E-5", ","), 1e-5);
    EXPECT_EQ(ParseReal("+3", ","), 3);
    EXPECT_EQ(ParseReal(",5", ","), 0.5);
    EXPECT_EQ(ParseReal("5,", ","), 5);
    EXPECT_EQ(ParseReal(" 100 ", ","), 100);
}

TEST(ParseReal, RefusalsQuoteTheText) {
    struct Bad {
        const char* text;
        const char* sep;
    };
    for (Bad bad :
         {Bad{"", ","}, Bad{" ", ","}, Bad{"1.5", ","}, Bad{"1,5", "."}, Bad{"1 000", ","},
          Bad{"abc", "."}, Bad{"1e", "."}, Bad{"e5", "."}, Bad{"nan", "."}, Bad{"inf", "."},
          Bad{"1e400", "."}, Bad{"--1", "."}, Bad{"0x10", "."}, Bad{",", ","}}) {
        try {
            ParseReal(bad.text, bad.sep);
            ADD_FAILURE() << "accepted '" << bad.text << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(bad.text) + "' is not a valid floating point value");
        }
    }
}

TEST(NumberText, GeneralFormatRoundTripsFifteenDigits) {
    for (double v : {3.141592653589793, -2.718281828459045e-7, 6.02214076e23, 1.0 / 7}) {
        for (const char* sep : {".", ","}) {
            const double back = ParseReal(FormatGeneral(v, sep), sep);
            EXPECT_NEAR(back, v, std::fabs(v) * 1e-14);
            EXPECT_EQ(FormatGeneral(back, sep), FormatGeneral(v, sep));
        }
    }
}

}  // namespace
}  // namespace shaftline
