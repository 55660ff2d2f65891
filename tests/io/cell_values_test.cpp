#include "cell_values.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>

using namespace shaftline::io;

namespace {

struct Serial {
    const char* text;
    std::optional<double> days;  // since 1899-12-30, as a spreadsheet counts
};

void PrintTo(const Serial& c, std::ostream* out) {
    *out << c.text;
}

class SerialDateTest : public ::testing::TestWithParam<Serial> {};

TEST_P(SerialDateTest, CountsDaysLikeASpreadsheet) {
    EXPECT_EQ(SerialFromIsoDate(GetParam().text), GetParam().days) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Dates, SerialDateTest,
    ::testing::Values(Serial{"1899-12-30", 0}, Serial{"1900-03-01", 61},
                      Serial{"2000-02-29", 36585}, Serial{"2024-03-01T18:00:00", 45352.75},
                      Serial{"2024-03-01T00:00:30.5Z", 45352 + 30.5 / 86400},
                      Serial{"2024-13-01", std::nullopt}, Serial{"2024-3-1", std::nullopt},
                      Serial{"2024-03-01T12", std::nullopt},
                      Serial{"2024-03-01+03:00", std::nullopt}, Serial{"", std::nullopt}),
    [](const auto& info) {
        // The date text as a name: digits kept, everything else an underscore.
        std::string name = info.param.text;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name.empty() ? std::string("empty") : "date_" + name;
    });

TEST(CellValuesTest, NumbersAndDurations) {
    EXPECT_EQ(ParseXmlNumber(" 1.5E-3 "), 1.5e-3);
    EXPECT_EQ(ParseXmlNumber("-0"), -0.0);
    EXPECT_EQ(ParseXmlNumber("1,5"), std::nullopt);
    EXPECT_EQ(ParseXmlNumber("12abc"), std::nullopt);
    EXPECT_EQ(DaysFromIsoDuration("PT36H00M00S"), 1.5);
    EXPECT_EQ(DaysFromIsoDuration("-PT6H"), -0.25);
    EXPECT_EQ(DaysFromIsoDuration("PT"), std::nullopt);
    EXPECT_EQ(DaysFromIsoDuration("P1D"), std::nullopt);
}

}  // namespace
