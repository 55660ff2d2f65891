#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "calc_process.h"
#include "number_text.h"
#include "rotor_transfer.h"
#include "shaft_line.h"
#include "shaft_line_workbook.h"
#include "support.h"

namespace {

using namespace shaftline;

// The windows under a Russian locale: cells become texts with a decimal comma, the transfer
// parses them, the calculation runs, the base rotor is ticked and the rises computed.
RotorArray WindowsRoad(const std::string& path, int base) {
    const io::ShaftLineWorkbook book = io::ReadShaftLineWorkbook(path, ",");
    const int count = static_cast<int>(book.sheets.size());
    RotorArray rotors;
    std::array<SupportData, kMaxRotors + 1> support{};
    for (int k = 1; k <= count; ++k) {
        const io::RotorSheet& sheet = book.sheets[k - 1];
        rotors[k] = RotorFromText(
            k, FormatInteger(sheet.sectionCount), kShrunkOnDiscsText,
            [&](int row, int column) { return sheet.rows[row - 1][column]; }, ",");
        support[k] = SupportDataFromText(
            k, [&](int column) { return sheet.support[column]; }, ",");
    }
    EXPECT_TRUE(RunCalculation(rotors, count).empty());
    AlignShaftLine(rotors, count, base);
    for (int k = 1; k <= count; ++k) ApplySupportRises(*rotors[k], support[k]);
    return rotors;
}

TEST(NumberRoadTest, CalculatorGivesTheWindowsDigits) {
    // Every input of this workbook has 17 significant digits; a grid cell keeps 15.
    const std::string path = std::string(SHAFTLINE_IO_TEST_DATA) + "/long_digits.xls";
    const RotorArray expected = WindowsRoad(path, 2);
    const CalcResult r = RunCalc({path, "--json", "--base", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);

    const auto& first = json["rotors"][0]["sections"][1];
    EXPECT_EQ(first["coord"].get<double>(), 333.333333333333);
    EXPECT_NE(first["coord"].get<double>(), 1000.0 / 3);

    for (int k = 1; k <= 3; ++k) {
        const auto& rotor = json["rotors"][k - 1];
        const TRotor& same = *expected[k];
        EXPECT_EQ(rotor["left_journal_angle"].get<double>(), same.GetLeftJournalAngle());
        EXPECT_EQ(rotor["coupling_break"].get<double>(), same.GetCouplingBreak());
        EXPECT_EQ(rotor["left_support_rise"].get<double>(), same.LeftSupportRise);
        EXPECT_EQ(rotor["right_support_rise"].get<double>(), same.RightSupportRise);
        for (int i = 0; i <= same.GetSectionCount(); ++i) {
            const auto& section = rotor["sections"][i];
            EXPECT_EQ(section["deflection"].get<double>(), same.SectionsView()[i].Deflection);
            EXPECT_EQ(section["line_offset"].get<double>(), same.SectionsView()[i].LineOffset);
        }
    }
}

}  // namespace
