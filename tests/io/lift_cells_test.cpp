// The support lifts in force in the first sheet's spare row: written only when some lift is not
// zero, read back by the readers under their label, refused with the cell named.
#include "lift_cells.h"

#include <gtest/gtest.h>

#include <string>

#include "test_books.h"

using namespace shaftline;
using namespace shaftline::io;

namespace {

using test_books::OneSectionSheet;

ShaftLineWorkbook ReadBack(const ShaftLineWorkbook& book, const char* separator) {
    return test_books::SavedAndReadBack(book, "lift_cells_test", separator);
}

TEST(LiftCells, WrittenAndReadBackExactly) {
    for (const char* separator : {".", ","}) {
        const std::vector<double> lifts{0, -0.123456789012345, 0, 1.5e-7, 0};
        ShaftLineWorkbook book{{OneSectionSheet(), OneSectionSheet(), OneSectionSheet()}};
        book.lifts = LiftTexts(lifts, separator);
        EXPECT_EQ(book.lifts.size(), 4u) << "trailing zeros need no cells";
        const ShaftLineWorkbook read = ReadBack(book, separator);
        EXPECT_EQ(read.sheets, book.sheets);
        EXPECT_EQ(read.lifts.size(), 4u);
        EXPECT_EQ(LiftsFromBook(read, separator, 5), lifts);
        // Another sheet's first row carries no lifts: only the first sheet is read.
        EXPECT_TRUE(ReadBack(ShaftLineWorkbook{{OneSectionSheet(), OneSectionSheet()}}, separator)
                        .lifts.empty());
    }
}

TEST(LiftCells, AllZeroLeavesTheBookWithoutTheRow) {
    ShaftLineWorkbook book{{OneSectionSheet()}};
    book.lifts = {"0", "0"};
    EXPECT_TRUE(ReadBack(book, ".").lifts.empty());
    EXPECT_EQ(LiftsFromBook(ShaftLineWorkbook{{OneSectionSheet()}}, ".", 2),
              (std::vector<double>{0, 0}));
}

struct BadLift {
    std::vector<std::string> texts;
    int supports;
    const char* place;
};

class LiftCellRefusal : public ::testing::TestWithParam<BadLift> {};

TEST_P(LiftCellRefusal, NamesTheCell) {
    ShaftLineWorkbook book{{OneSectionSheet()}};
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
