// The support lifts in force in the first sheet's spare row: written only when some lift is not
// zero, read back by the readers under their label, refused with the cell named.
#include "lift_cells.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "shaft_line_book_writer.h"

using namespace shaftline;
using namespace shaftline::io;

namespace {

RotorSheet Sheet() {
    RotorSheet sheet;
    sheet.sectionCount = 1;
    sheet.rows.push_back({"500", "0", "200", "0", "0", "21000", "0", "0"});
    sheet.support.fill("0");
    return sheet;
}

ShaftLineWorkbook ReadBack(const ShaftLineWorkbook& book, const char* separator) {
    // ctest runs the tests of this file side by side: one file per process.
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("lift_cells_test_" + std::to_string(::getpid()) + ".xlsx"))
                                 .string();
    WriteShaftLineBook(path, book, separator);
    ShaftLineWorkbook read = ReadShaftLineWorkbook(path, separator);
    std::filesystem::remove(path);
    return read;
}

TEST(LiftCells, WrittenAndReadBackExactly) {
    for (const char* separator : {".", ","}) {
        const std::vector<double> lifts{0, -0.123456789012345, 0, 1.5e-7, 0};
        ShaftLineWorkbook book{{Sheet(), Sheet(), Sheet()}};
        book.lifts = LiftTexts(lifts, separator);
        EXPECT_EQ(book.lifts.size(), 4u) << "trailing zeros need no cells";
        const ShaftLineWorkbook read = ReadBack(book, separator);
        EXPECT_EQ(read.sheets, book.sheets);
        EXPECT_EQ(read.lifts.size(), 4u);
        EXPECT_EQ(LiftsFromBook(read, separator, 5), lifts);
        // Another sheet's first row carries no lifts: only the first sheet is read.
        EXPECT_TRUE(ReadBack(ShaftLineWorkbook{{Sheet(), Sheet()}}, separator).lifts.empty());
    }
}

TEST(LiftCells, AllZeroLeavesTheBookWithoutTheRow) {
    ShaftLineWorkbook book{{Sheet()}};
    book.lifts = {"0", "0"};
    EXPECT_TRUE(ReadBack(book, ".").lifts.empty());
    EXPECT_EQ(LiftsFromBook(ShaftLineWorkbook{{Sheet()}}, ".", 2), (std::vector<double>{0, 0}));
}

struct BadLift {
    std::vector<std::string> texts;
    int supports;
    const char* place;
};

class LiftCellRefusal : public ::testing::TestWithParam<BadLift> {};

TEST_P(LiftCellRefusal, NamesTheCell) {
    ShaftLineWorkbook book{{Sheet()}};
    book.lifts = GetParam().texts;
    try {
        LiftsFromBook(book, ".", GetParam().supports);
        ADD_FAILURE() << "accepted";
    } catch (const LiftCellError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().place), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, LiftCellRefusal,
                         ::testing::Values(BadLift{{"", "0,5"}, 2, "ячейка V1"},
                                           BadLift{{"1e5"}, 2, "ячейка U1"},
                                           BadLift{{"0", "0", "0.2"}, 2, "ячейка W1"}));

}  // namespace
