#include "shaft_line_workbook.h"

#include <gtest/gtest.h>

#include "number_text.h"
#include "test_books.h"

using namespace shaftline;
using namespace shaftline::io;

namespace {

using test_books::Data;

using Row = std::array<std::string, 8>;

TEST(ShaftLineWorkbookTest, ThreeSheetsFollowTheLayout) {
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(Data("three_sheets.xls"), ".");
    ASSERT_EQ(book.sheets.size(), 3U);

    // A1 = 2: rows 2 and 3 are the sections, row 4 is skipped, row 5 is the support row;
    // a text cell stays as it is, an empty cell is empty.
    const RotorSheet& first = book.sheets[0];
    EXPECT_EQ(first.sectionCount, 2);
    ASSERT_EQ(first.rows.size(), 2U);
    EXPECT_EQ(first.rows[0], (Row{"100", "500", "200", "40", "50", "210000", "1.5", "60"}));
    EXPECT_EQ(first.rows[1], (Row{"250.75", "текст", "180", "0", "0", "21000", "0", ""}));
    EXPECT_EQ(first.support, (std::array<std::string, 18>{
                                 "9000", "45", "800", "60", "600", "50", "-0.35", "-0.2", "0.12",
                                 "9000", "40", "800", "55", "600", "48", "0", "0", "0.1"}));

    EXPECT_EQ(book.sheets[1].sectionCount, 1);
    EXPECT_EQ(book.sheets[1].rows[0][0], "700");
    // A1 holding the text "3".
    EXPECT_EQ(book.sheets[2].sectionCount, 3);
    EXPECT_EQ(book.sheets[2].rows[2][0], "900");
    EXPECT_EQ(book.sheets[2].support[8], "0.12");
    EXPECT_EQ(book.sheets[2].support[9], "");
}

TEST(ShaftLineWorkbookTest, DecimalsTakeTheGivenSeparator) {
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(Data("three_sheets.xls"), ",");
    EXPECT_EQ(book.sheets[0].rows[0][6], "1,5");
    EXPECT_EQ(book.sheets[0].rows[1][0], "250,75");
    EXPECT_EQ(book.sheets[0].support[6], "-0,35");
    EXPECT_EQ(book.sheets[0].rows[0][5], "210000");
}

TEST(ShaftLineWorkbookTest, SectionCountRoundsHalfToEven) {
    // Sheet k holds A1 and, in its support row, the text "опора" and the count it must give.
    const std::vector<int> expected = {2, 4, 1, 50, 50, 1, 7, 50};
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(Data("section_counts.xls"), ".");
    ASSERT_EQ(book.sheets.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const RotorSheet& sheet = book.sheets[k];
        EXPECT_EQ(sheet.sectionCount, expected[k]) << "sheet " << k + 1;
        EXPECT_EQ(sheet.rows.size(), static_cast<std::size_t>(expected[k]));
        EXPECT_EQ(sheet.support[0], "опора " + std::to_string(expected[k]));
    }
}

TEST(ShaftLineWorkbookTest, FormulasGiveTheirStoredResults) {
    // Written by Gnumeric after a recalculation, as a spreadsheet program saves formulas.
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(Data("formulas.xls"), ",");
    ASSERT_EQ(book.sheets.size(), 1U);
    const RotorSheet& sheet = book.sheets[0];
    EXPECT_EQ(sheet.sectionCount, 2);  // =1+1
    std::string longText;
    for (int i = 0; i < 5000; ++i) longText += "ж";
    EXPECT_EQ(sheet.rows[0],
              (Row{"241", "abвг", longText, "TRUE", "#DIV/0!", "", "0,3", "#VALUE!"}));
    for (int c = 0; c < 18; ++c) {
        EXPECT_EQ(sheet.support[c], FormatGeneral((c + 1) / 4.0, ",")) << c;
    }
}

class LongStringsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(LongStringsTest, SharedStringsSurviveContinueRecords) {
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(Data(GetParam()), ".");
    ASSERT_EQ(book.sheets.size(), 2U);
    for (int c = 0; c < 8; ++c) {
        std::string expected =
            c % 2 ? "latin " + std::to_string(c) + " " : "кириллица " + std::to_string(c) + " ";
        for (int i = 0; i < (c % 2 ? 37 : 41) * c; ++i) expected += c % 2 ? "x" : "ю";
        EXPECT_EQ(book.sheets[1].rows[0][c], expected) << c;
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, LongStringsTest,
                         ::testing::Values("long_strings_xlwt.xls", "long_strings_gnumeric.xls"),
                         [](const auto& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

TEST(ShaftLineWorkbookTest, SampleIsACompleteShaftLine) {
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(SHAFTLINE_SAMPLE_WORKBOOK, ".");
    ASSERT_GE(book.sheets.size(), 5U);
    for (std::size_t k = 0; k < book.sheets.size(); ++k) {
        const RotorSheet& sheet = book.sheets[k];
        double previous = 0;
        for (const Row& row : sheet.rows) {
            const double coord = ParseReal(row[0], ".");
            EXPECT_GT(coord, previous) << "rotor " << k + 1;
            previous = coord;
            for (const std::string& cell : row) EXPECT_NO_THROW(ParseReal(cell, "."));
        }
        for (const std::string& cell : sheet.support) EXPECT_NO_THROW(ParseReal(cell, "."));
        // K1 holds a column header there, no rotor type.
        EXPECT_EQ(sheet.rotorType, "") << "rotor " << k + 1;
    }
    EXPECT_EQ(book.baseRotor, 0);
}

TEST(ShaftLineWorkbookTest, ReadsTheLargestShaftLine) {
    const ShaftLineWorkbook book = ReadShaftLineWorkbook(Data("full_line_19x50.xls"), ".");
    ASSERT_EQ(book.sheets.size(), 19U);
    for (const RotorSheet& sheet : book.sheets) EXPECT_EQ(sheet.rows.size(), 50U);
}

struct Refusal {
    const char* file;
    std::vector<std::string> fragments;
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << (*r.file ? r.file : "(empty path)");
}

class WorkbookRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(WorkbookRefusalTest, RefusesWithOneMessageNamingFileSheetAndCell) {
    test_books::ExpectRefused(Data(GetParam().file), GetParam().fragments);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WorkbookRefusalTest,
    ::testing::Values(
        Refusal{"missing.xls", {"не найден"}}, Refusal{"", {"папка"}},
        Refusal{"not_a_workbook.xls", {"не является книгой Excel"}},
        Refusal{"empty_file.xls", {"не является книгой Excel"}},
        Refusal{"xlsx_renamed.xls", {".xlsx"}}, Refusal{"truncated.xls", {"повреждён"}},
        Refusal{"excel95.xls", {"5.0/95"}}, Refusal{"no_sheets.xls", {"нет ни одного листа"}},
        Refusal{"twenty_sheets.xls", {"20 листов", "не больше 19"}},
        Refusal{"chart_sheet.xls", {"лист 2 «Диаграмма»", "диаграммы"}},
        Refusal{"encrypted.xls", {"зашифрована"}},
        Refusal{"a1_zero.xls", {"лист 2 «Плохой», ячейка A1", "0 вне допустимого диапазона 1..50"}},
        Refusal{"a1_51.xls", {"лист 2 «Плохой», ячейка A1", "51 вне"}},
        Refusal{"a1_rounds_to_zero.xls", {"ячейка A1", "участков 0 вне"}},
        Refusal{"a1_text.xls", {"ячейка A1", "«два» не является целым числом"}},
        Refusal{"a1_fraction_text.xls", {"ячейка A1", "«2.5» не является целым числом"}},
        Refusal{"a1_empty.xls", {"лист 2 «Плохой», ячейка A1", "пуста"}},
        Refusal{"control_characters.xls",
                {"лист 2 «Лист\\e]0;взлом\\x07\\e[2J», ячейка A1", "«\\e[31mдваыыы", "ы…»"}},
        Refusal{"twenty_sheets.xlsx", {"20 листов", "не больше 19"}},
        Refusal{"twenty_sheets.ods", {"20 листов", "не больше 19"}},
        Refusal{"a1_text.xlsx", {"лист 2 «Плохой», ячейка A1", "«два» не является целым"}},
        Refusal{"a1_text.ods", {"лист 2 «Плохой», ячейка A1", "«два» не является целым"}},
        Refusal{"a1_empty.ods", {"лист 2 «Плохой», ячейка A1", "пуста"}},
        Refusal{"zip_bomb.xlsx", {"распаковывается больше чем в 32 МБ"}},
        Refusal{"zip_lying_size.xlsx",
                {"лист 1 «Ротор 1»", "«xl/worksheets/sheet1.xml» не распаковывается"}},
        Refusal{"zip_truncated.xlsx", {"повреждён", "нет каталога"}},
        Refusal{"zip_sheet_missing.xlsx", {"лист 2 «Ротор 2»", "нет части с ячейками"}},
        Refusal{"zip_no_sheets.xlsx", {"нет ни одного листа"}},
        Refusal{"zip_no_book.xlsx", {"не является книгой .xlsx или .ods"}},
        Refusal{"zip_text_document.ods", {"не является электронной таблицей"}}),
    [](const auto& info) {
        std::string name = *info.param.file ? info.param.file : "folder";
        for (char& c : name)
            if (c == '.') c = '_';
        return name;
    });

}  // namespace
