// The alignment on site in a book's spare cells: written by the book writer, read back by every
// reader as they stand, turned into inputs with refusals that name the cell.
#include "alignment_cells.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "shaft_line_book_writer.h"
#include "test_books.h"

using namespace shaftline;
using namespace shaftline::io;

namespace {

using test_books::OneSectionSheet;

// Rotor, coupling piece, rotor: the bearings of rotor 3, the coupling with brackets.
ShaftLineWorkbook AlignedBook() {
    ShaftLineWorkbook book{{OneSectionSheet(), OneSectionSheet(), OneSectionSheet()}};
    book.sheets[1].alignment = {{{"Муфта", "0,1", "0,2", "0,3", "0,2", "150", "600"},
                                 {"Скобы", "0,05", "0,03", "0,01", "0,03", "0,03", "0,04"}}};
    book.sheets[2].alignment[0] = {"Опоры", "1", "", "", "0", "-0,5", "1"};
    return book;
}

TEST(AlignmentCells, WrittenReadBackAndTurnedIntoInputs) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "alignment_cells_test.xlsx").string();
    const ShaftLineWorkbook book = AlignedBook();
    WriteShaftLineBook(path, book, ",");
    const ShaftLineWorkbook read = ReadShaftLineWorkbook(path, ",");
    std::filesystem::remove(path);
    EXPECT_EQ(read, book);

    const AlignmentInputs in = AlignmentFromBook(read, ",");
    ASSERT_EQ(in.couplings.size(), 1u);
    const CouplingInput& c = in.couplings[0];
    EXPECT_EQ(c.number, 1);
    EXPECT_EQ(c.plane, 150);
    EXPECT_EQ(c.diameter, 600);
    EXPECT_EQ(c.offsetTolerance, 0.03);
    EXPECT_EQ(c.gapTolerance, 0.04);
    ASSERT_TRUE(c.brackets);
    EXPECT_EQ(c.brackets->radial[2], 0.3);
    EXPECT_EQ(c.brackets->axial[0], 0.05);
    // Rotor 3 stands on supports 2 and 3 (from 0): the left one marked fixed, the right bounded.
    EXPECT_EQ(in.fixed, std::vector<int>{2});
    ASSERT_EQ(in.bounds.size(), 1u);
    EXPECT_EQ(in.bounds[0].support, 3);
    EXPECT_EQ(in.bounds[0].moveMin, -0.5);
    EXPECT_EQ(in.bounds[0].moveMax, 1);
}

TEST(AlignmentCells, DirectReadingsWithoutDiameterAreAnglesInMillimetresPerMetre) {
    ShaftLineWorkbook book{{OneSectionSheet(), OneSectionSheet(), OneSectionSheet()}};
    book.sheets[1].alignment = {
        {{"Муфта", "", "", "", "", "", ""}, {"Замеры", "0.1", "0.25", "-0.2", "0", "", "0.05"}}};
    const AlignmentInputs in = AlignmentFromBook(book, ".");
    ASSERT_EQ(in.couplings.size(), 1u);
    EXPECT_EQ(in.couplings[0].foundVertical->angle, 0.25 / 1000);
    EXPECT_EQ(in.couplings[0].foundHorizontal->offset, -0.2);
    EXPECT_FALSE(in.couplings[0].diameter);
    EXPECT_FALSE(in.fixed) << "no bearing marked: the default fixing";
}

struct BadCell {
    int sheet, row, column;  // column within L..R
    const char* text;
    const char* place;
};

class AlignmentCellRefusal : public ::testing::TestWithParam<BadCell> {};

TEST_P(AlignmentCellRefusal, NamesSheetAndCell) {
    ShaftLineWorkbook book = AlignedBook();
    const BadCell& b = GetParam();
    book.sheets[static_cast<std::size_t>(b.sheet - 1)].alignment[b.row][b.column] = b.text;
    try {
        AlignmentFromBook(book, ",");
        ADD_FAILURE() << "accepted";
    } catch (const AlignmentCellError& e) {
        EXPECT_NE(std::string(e.what()).find(b.place), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, AlignmentCellRefusal,
                         ::testing::Values(BadCell{2, 0, 6, "6OO", "Лист 2, ячейка R1"},
                                           BadCell{2, 1, 3, "", "Лист 2, ячейка O2: не задан"},
                                           BadCell{3, 0, 1, "да", "Лист 3, ячейка M1"},
                                           BadCell{3, 0, 6, "1.5", "Лист 3, ячейка R1"}));

TEST(AlignmentCells, SampleBookHeadersAreNoInputs) {
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(SHAFTLINE_SAMPLE_WORKBOOK, ".");
    for (const RotorSheet& sheet : book.sheets) {
        EXPECT_TRUE(sheet.alignment[0][0].empty()) << sheet.alignment[0][0];
    }
    const AlignmentInputs in = AlignmentFromBook(book, ".");
    EXPECT_TRUE(in.couplings.empty());
    EXPECT_FALSE(in.fixed);
}

}  // namespace
