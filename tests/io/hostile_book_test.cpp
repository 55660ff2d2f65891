// Books that once crashed the reader, hung it or made it run away with memory. The large ones
// are written into the build tree by the test-data script (make_test_workbooks.py --hostile).
#include <gtest/gtest.h>

#include <algorithm>

#include "message_text.h"
#include "shaft_line_workbook.h"
#include "test_books.h"

using namespace shaftline::io;

namespace {

using test_books::Hostile;

struct HostileBook {
    const char* file;
    const char* reason;
};

void PrintTo(const HostileBook& book, std::ostream* out) {
    *out << book.file;
}

class HostileBookTest : public ::testing::TestWithParam<HostileBook> {};

TEST_P(HostileBookTest, IsRefusedWithTheReason) {
    const std::string path = Hostile(GetParam().file);
    test_books::ExpectRefused(
        path, {"Книга «" + shaftline::QuotedForMessage(path) + "»", GetParam().reason});
}

INSTANTIATE_TEST_SUITE_P(
    Books, HostileBookTest,
    ::testing::Values(
        HostileBook{"directory_child_chain.xls", "каталог вложен глубже 128 уровней"},
        HostileBook{"directory_sibling_chain.xls", "каталог вложен глубже 128 уровней"},
        HostileBook{"empty_shared_strings.xls", "больше 4096 записей CONTINUE"},
        HostileBook{"empty_continue_records.xls", "больше 4096 записей CONTINUE"},
        HostileBook{"many_shared_strings.xls", "больше 65536 строк"},
        HostileBook{"long_shared_strings.xls", "больше 16 МБ текста"},
        HostileBook{"many_records.xls", "больше 1048576 записей"},
        HostileBook{"many_cells.xls", "больше 262144 заполненных ячеек"},
        HostileBook{"layout_text_amplified.xls", "в ячейках книги больше 4 МБ текста"},
        HostileBook{"huge_sheet_part.xlsx", "больше 262144 заполненных ячеек"},
        HostileBook{"huge_cell_text.ods", "лист 1 «1»: текст ячейки A1 длиннее 4 МБ"},
        HostileBook{"huge_sheet_comment.xlsx", "ячейка A1: ячейка пуста"},
        HostileBook{"shared_string_missing.xlsx",
                    "лист 1 «Ротор 1»: в ячейке K1 ссылка на отсутствующую строку общей таблицы"},
        HostileBook{"rotor_type_amplified.xlsx",
                    "лист 2 «Ротор 2», ячейка K1: в ячейках книги больше 4 МБ текста"},
        HostileBook{"ods_spaces_amplified.ods", "лист 1 «1»: в ячейках книги больше 4 МБ текста"},
        HostileBook{"many_attributes.xlsx", "у элемента больше 256 атрибутов"},
        HostileBook{"many_namespaces.xlsx", "у элемента больше 256 атрибутов"},
        HostileBook{"namespaces_spread.xlsx", "больше 1024 объявлений пространств имён"},
        HostileBook{"sheets_one_part.xlsx",
                    "лист 2 «Ротор 2»: лист записан в той же части книги, что и лист 1"},
        HostileBook{"sheet_entities.xlsx", "объявляет тип документа (DTD)"},
        HostileBook{"sheet_foreign_namespace.xlsx", "не является рабочим листом SpreadsheetML"},
        HostileBook{"shared_string_index_nan.xlsx", "ссылка на отсутствующую строку"},
        HostileBook{"shared_string_index_infinite.xlsx", "ссылка на отсутствующую строку"},
        HostileBook{"shared_string_index_fraction.xlsx", "ссылка на отсутствующую строку"}),
    [](const auto& info) {
        std::string name = info.param.file;
        std::replace(name.begin(), name.end(), '.', '_');
        return name;
    });

TEST(HostileBookTest, OneCellWrittenOverAndOverKeepsOneText) {
    // A2 written 100 000 times as a reference to the same 30 000-character shared string.
    const ShaftLineWorkbook book =
        ReadShaftLineWorkbook(Hostile("shared_string_rewritten.xls"), ".");
    ASSERT_EQ(book.sheets.size(), 1U);
    std::string expected;
    for (int i = 0; i < 30000; ++i) expected += "ж";
    EXPECT_EQ(book.sheets[0].rows[0][0], expected);
    EXPECT_EQ(book.sheets[0].support[0], "1");
}

// Cells count only inside the sheet's cell data, in the format's own namespace: what another
// vocabulary or an extension holds never overrides A2.
class ForeignCellsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ForeignCellsTest, LeaveTheLayoutCellsAlone) {
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(Hostile(GetParam()), ".");
    ASSERT_FALSE(book.sheets.empty());
    EXPECT_EQ(book.sheets[0].sectionCount, 1);
    EXPECT_EQ(book.sheets[0].rows[0][0], "100");
    EXPECT_EQ(book.sheets[0].support[0], "9000");
}

INSTANTIATE_TEST_SUITE_P(Books, ForeignCellsTest,
                         ::testing::Values("cells_outside_sheet_data.xlsx",
                                           "ods_rows_outside_table.ods"));

}  // namespace
