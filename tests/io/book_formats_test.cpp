// The .xlsx and .ods readers against the .xls reader, and the cell forms only they meet.
#include <gtest/gtest.h>

#include <filesystem>

#include "shaft_line_workbook.h"
#include "test_books.h"

using namespace shaftline::io;

namespace {

namespace fs = std::filesystem;

using test_books::Data;

using Row = std::array<std::string, 8>;

// Gnumeric's .xlsx and .ods of a test .xls book.
class SameBookTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SameBookTest, XlsxAndOdsGiveTheBookOfTheXls) {
    const std::string name = GetParam();
    const ShaftLineWorkbook xls = ReadShaftLineWorkbook(Data(name + ".xls"), ",");
    for (const char* kind : {".xlsx", ".ods"}) {
        const ShaftLineWorkbook other = ReadShaftLineWorkbook(Data(name + kind), ",");
        ASSERT_EQ(other.sheets.size(), xls.sheets.size()) << kind;
        for (std::size_t k = 0; k < xls.sheets.size(); ++k) {
            const RotorSheet& a = xls.sheets[k];
            const RotorSheet& b = other.sheets[k];
            EXPECT_EQ(b.sectionCount, a.sectionCount) << kind << " sheet " << k + 1;
            EXPECT_EQ(b.rows, a.rows) << kind << " sheet " << k + 1;
            EXPECT_EQ(b.support, a.support) << kind << " sheet " << k + 1;
            EXPECT_EQ(b.rotorType, a.rotorType) << kind << " sheet " << k + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Books, SameBookTest,
                         ::testing::Values("three_sheets", "section_counts", "formulas",
                                           "long_strings_xlwt", "rotor_types", "full_line_19x50"),
                         [](const auto& info) { return std::string(info.param); });

class RotorTypeTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RotorTypeTest, K1IsTheRotorTypeAndNeverRefusesTheBook) {
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(Data("rotor_types") + GetParam(), ".");
    ASSERT_EQ(book.sheets.size(), 4U);
    EXPECT_EQ(book.sheets[0].rotorType, "Цельнокованный");
    EXPECT_EQ(book.sheets[1].rotorType, "");
    EXPECT_EQ(book.sheets[2].rotorType, "С насадными дисками");
    EXPECT_EQ(book.sheets[3].rotorType, "7");
    // K1 lies outside the section and support cells.
    EXPECT_EQ(book.sheets[0].rows[0],
              (Row{"100", "500", "200", "40", "50", "210000", "1.5", "60"}));
}

INSTANTIATE_TEST_SUITE_P(Formats, RotorTypeTest, ::testing::Values(".xls", ".xlsx", ".ods"),
                         [](const auto& info) { return std::string(info.param + 1); });

TEST(BookFormatsTest, FormatIsChosenByContentNotByName) {
    const fs::path dir = fs::temp_directory_path() / "shaftline_io_format_by_content";
    fs::create_directories(dir);
    const std::pair<const char*, const char*> swaps[] = {{"three_sheets.xlsx", "book.xls"},
                                                         {"three_sheets.ods", "book.xlsx"},
                                                         {"three_sheets.xls", "book.ods"}};
    const ShaftLineWorkbook expected = ReadShaftLineWorkbook(Data("three_sheets.xls"), ".");
    for (const auto& [from, to] : swaps) {
        fs::copy_file(Data(from), dir / to, fs::copy_options::overwrite_existing);
        EXPECT_EQ(ReadShaftLineWorkbook((dir / to).string(), "."), expected) << from;
    }
    fs::remove_all(dir);
}

TEST(BookFormatsTest, XlsxCellFormsOutsideGnumericsOwn) {
    // Rows and cells without references, inline and rich texts, a date, a formula's text.
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(Data("xlsx_features.xlsx"), ",");
    ASSERT_EQ(book.sheets.size(), 1U);
    const RotorSheet& sheet = book.sheets[0];
    EXPECT_EQ(sheet.sectionCount, 2);
    EXPECT_EQ(sheet.rows[0],
              (Row{"150", "строка", "TRUE", "#N/A", "45352,5", "  пробелы  ", "", "итог"}));
    EXPECT_EQ(sheet.rows[1][0], "300");
    EXPECT_EQ(sheet.support[17], "18");
    EXPECT_EQ(sheet.rotorType, "Цельнокованный");  // rich text without its phonetic run
}

TEST(BookFormatsTest, OdsCellFormsOutsideGnumericsOwn) {
    // Repeated rows and cells, spaces and tabs, a comment, percent, date, time, an error.
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(Data("ods_features.ods"), ",");
    ASSERT_EQ(book.sheets.size(), 1U);
    const RotorSheet& sheet = book.sheets[0];
    EXPECT_EQ(sheet.sectionCount, 2);
    const Row row{"100", "100", "а   б\tв", "FALSE", "0,25", "2", "0,25", "#DIV/0!"};
    EXPECT_EQ(sheet.rows[0], row);
    EXPECT_EQ(sheet.rows[1], row);
    for (const std::string& cell : sheet.support) EXPECT_EQ(cell, "7");
    EXPECT_EQ(sheet.rotorType, "С насадными\nдисками");
}

}  // namespace
