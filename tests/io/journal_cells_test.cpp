// The bearing journals under the lifts of the first sheet: kept as typed, read back by the
// readers under their labels, turned into journals with the cell at fault named.
#include "journal_cells.h"

#include <gtest/gtest.h>

#include "test_books.h"

using namespace shaftline;
using namespace shaftline::io;

namespace {

ShaftLineWorkbook OneRotorBook() {
    return ShaftLineWorkbook{{test_books::OneSectionSheet()}};
}

TEST(JournalCells, WrittenReadBackAndTurnedIntoJournals) {
    for (const char* separator : {".", ","}) {
        const std::string half = std::string("0") + separator + "5";
        ShaftLineWorkbook book = OneRotorBook();
        book.lifts = {"", half};
        book.journals = {{{"300", "", "1" + half.substr(1)},
                          {"250", "", "120"},
                          {"", "", "2" + half.substr(1)}}};
        const ShaftLineWorkbook read =
            test_books::SavedAndReadBack(book, "journal_cells_test", separator);
        EXPECT_EQ(read.journals, book.journals);
        EXPECT_EQ(read.lifts, book.lifts) << "the lifts' row stays apart from the journals'";

        const std::vector<JournalSize> journals = JournalsFromBook(read, separator, 3);
        ASSERT_EQ(journals.size(), 2u);
        EXPECT_EQ(journals[0].support, 0);
        EXPECT_EQ(journals[0].diameter, 300);
        EXPECT_EQ(journals[0].length, 250);
        EXPECT_FALSE(journals[0].pressureMax);
        EXPECT_EQ(journals[1].support, 2);
        EXPECT_EQ(journals[1].diameter, 1.5);
        EXPECT_EQ(journals[1].pressureMax, 2.5);
    }
}

TEST(JournalCells, UnusableCellsAreNamed) {
    const struct {
        JournalTexts texts;
        int supports;
        const char* place;
    } cases[] = {
        {{{{"300"}, {"ноль"}, {}}}, 2, "ячейка U3"},
        {{{{"300", "-1"}, {"250", "100"}, {}}}, 2, "ячейка V2"},
        {{{{"300"}, {}, {"25"}}}, 2, "ячейка U3"},  // a diameter without its length
        {{{{}, {}, {"25"}}}, 2, "ячейка U2"},       // a pressure alone
        {{{{"", "", "300"}, {"", "", "250"}, {}}}, 2, "ячейка W2"},  // past the last support
    };
    for (const auto& c : cases) {
        ShaftLineWorkbook book = OneRotorBook();
        book.journals = c.texts;
        try {
            JournalsFromBook(book, ".", c.supports);
            ADD_FAILURE() << "accepted " << c.place;
        } catch (const JournalCellError& e) {
            EXPECT_NE(std::string(e.what()).find(c.place), std::string::npos) << e.what();
        }
    }
}

}  // namespace
