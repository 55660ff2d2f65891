#include "json_report.h"

#include <gtest/gtest.h>

#include "shaft_line_run.h"

namespace {

using namespace shaftline;

// One rotor of two 50 mm sections whose left support rises 500 mm more than its right one:
// the rotor cannot tip that far, so the assembly state has no value.
io::ShaftLineWorkbook SteepRiseBook() {
    io::RotorSheet sheet;
    sheet.sectionCount = 2;
    sheet.rows.push_back({"50", "0", "100", "0", "0", "21000", "0", "0"});
    sheet.rows.push_back({"100", "0", "100", "0", "0", "21000", "0", "0"});
    sheet.support.fill("0");
    sheet.support[1] = sheet.support[3] = sheet.support[5] = "20";
    sheet.support[10] = sheet.support[12] = sheet.support[14] = "20";
    sheet.support[8] = "500";  // journal term of the left support
    return {{sheet}};
}

TEST(JsonReportTest, UndefinedTiltLeavesTheWholeAssemblyStateNull) {
    const cli::ShaftLineRun run = cli::RunShaftLine(SteepRiseBook(), {});
    const nlohmann::ordered_json json = cli::JsonReport(run);
    const auto& rotor = json["rotors"][0];
    EXPECT_EQ(rotor["left_support_rise"], 500.0);
    for (const char* key : {"assembly_tilt", "assembly_left_angle", "assembly_right_angle",
                            "assembly_left_elevation", "assembly_right_elevation"}) {
        EXPECT_TRUE(rotor[key].is_null()) << key;
    }
}

TEST(JsonReportTest, BadCellNamesTheWorkbookCell) {
    io::ShaftLineWorkbook book = SteepRiseBook();
    book.sheets[0].rows[1][2] = "сто";
    try {
        cli::RunShaftLine(book, {});
        FAIL();
    } catch (const cli::RotorDataError& e) {
        EXPECT_NE(std::string(e.what()).find("лист 1, ячейка C3"), std::string::npos) << e.what();
    }
    book = SteepRiseBook();
    book.sheets[0].support[17] = "";
    try {
        cli::RunShaftLine(book, {});
        FAIL();
    } catch (const cli::RotorDataError& e) {
        EXPECT_NE(std::string(e.what()).find("лист 1, ячейка R5"), std::string::npos) << e.what();
    }
}

}  // namespace
