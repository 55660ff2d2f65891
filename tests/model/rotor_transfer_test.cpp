#include "rotor_transfer.h"

#include <gtest/gtest.h>

#include <map>

namespace shaftline {
namespace {

// A section grid held as texts, as the windows and the workbook import give it.
struct Grid {
    std::map<std::pair<int, int>, std::string> cells;
    CellText reader() const {
        return [this](int row, int column) {
            auto it = cells.find({row, column});
            return it == cells.end() ? std::string() : it->second;
        };
    }
    void Row(int row, std::array<const char*, 8> texts) {
        for (int c = 0; c < 8; ++c) cells[{row, c}] = texts[c];
    }
};

TEST(RotorTransfer, GridColumnsGoToTheirFields) {
    Grid grid;
    grid.Row(1, {"100", "500", "200", "40", "50", "2,1e5", "1,5", "60"});
    auto rotor = RotorFromText(1, "1", "С насадными дисками", grid.reader(), ",");
    EXPECT_EQ(rotor->GetSectionCount(), 1);
    const TRotorSection& s = rotor->SectionsView()[1];
    EXPECT_EQ(s.Coord, 100);
    EXPECT_EQ(s.DiscDiameter, 500);
    EXPECT_EQ(s.Diameter, 200);
    EXPECT_EQ(s.DiscThickness, 40);
    EXPECT_EQ(s.InnerDiameter, 50);
    EXPECT_EQ(s.Young, 2.1e5);
    EXPECT_EQ(s.BladeMass, 1.5);
    EXPECT_EQ(s.BladeCount, 60);
    EXPECT_EQ(rotor->SectionsView()[0].Coord, 0);
    EXPECT_EQ(rotor->SectionsView()[2].Coord, 0);
    EXPECT_TRUE(rotor->GetShrunkOnDiscs());
}

TEST(RotorTransfer, OnlyTheExactSolidForgedTextMakesASolidForgedRotor) {
    Grid grid;
    grid.Row(1, {"100", "0", "200", "0", "0", "2e4", "0", "0"});
    EXPECT_FALSE(RotorFromText(1, "1", "Цельнокованный", grid.reader(), ".")->GetShrunkOnDiscs());
    for (const char* type : {"цельнокованный", "Цельнокованный ", "", "С насадными дисками"}) {
        EXPECT_TRUE(RotorFromText(1, "1", type, grid.reader(), ".")->GetShrunkOnDiscs()) << type;
    }
}

TEST(RotorTransfer, BadCellNamesRotorRowAndColumnAndQuotesTheText) {
    Grid grid;
    grid.Row(1, {"100", "0", "200", "0", "0", "2e4", "0", "0"});
    grid.Row(2, {"300", "0", " ", "0", "0", "2e4", "0", "0"});
    try {
        RotorFromText(3, "2", "", grid.reader(), ",");
        FAIL();
    } catch (const TransferError& e) {
        EXPECT_EQ(e.rotor, 3);
        EXPECT_EQ(e.row, 2);
        EXPECT_EQ(e.column, 2);
        EXPECT_EQ(e.text, " ");
        EXPECT_EQ(std::string(e.what()),
                  "' ' is not a valid floating point value (ротор 3, строка 2, столбец «Диаметр»)");
    }
}

TEST(RotorTransfer, SectionCountMustBeAnIntegerWithinTheRecords) {
    Grid grid;
    for (const char* count : {"0", "51", "-2", "x", ""}) {
        try {
            RotorFromText(2, count, "", grid.reader(), ",");
            ADD_FAILURE() << count;
        } catch (const TransferError& e) {
            EXPECT_EQ(e.rotor, 2);
            EXPECT_EQ(e.column, -1);
        }
    }
}

TEST(RotorTransfer, SupportRowConvertsAllEighteenOrNamesTheColumn) {
    std::array<std::string, 18> row;
    for (int c = 0; c < 18; ++c) row[c] = std::to_string(c) + ",5";
    auto cell = [&](int c) { return row[c]; };
    const SupportData d = SupportDataFromText(1, cell, ",");
    EXPECT_EQ(d[0], 0.5);
    EXPECT_EQ(d[17], 17.5);
    row[12] = "";
    try {
        SupportDataFromText(4, cell, ",");
        FAIL();
    } catch (const TransferError& e) {
        EXPECT_EQ(e.column, 12);
        EXPECT_EQ(std::string(e.what()),
                  "'' is not a valid floating point value (ротор 4, данные опор, столбец "
                  "«Темп. рамы прав.»)");
    }
}

}  // namespace
}  // namespace shaftline
