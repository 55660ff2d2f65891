#include <gtest/gtest.h>

#include "biff_builder.h"
#include "biff_workbook.h"
#include "book_format.h"

using namespace shaftline::io;
using namespace biff_builder;

namespace {

Bytes SharedStrings(const std::vector<std::u16string>& texts) {
    Bytes body = U32(static_cast<std::uint32_t>(texts.size())) +
                 U32(static_cast<std::uint32_t>(texts.size()));
    for (const auto& t : texts) body = body + UnicodeString(t, true);
    return Record(0x00FC, body);
}

LayoutBook ReadAll(const Bytes& stream) {
    return ReadBiffLayout(stream);
}

// Every kind of cell record once, in one sheet.
Bytes AllCellKinds() {
    const Bytes embeddedChart = Bof(0x20) + Number(1, 8, 999) + Eof();
    return Number(1, 1, 2.5) + Record(0x027E, Cell(1, 2) + U32((42U << 2) | 2U)) +
           Record(0x00BD, U16(2) + U16(0) + U16(15) + U32((1U << 2) | 2U) + U16(15) +
                              U32((250U << 2) | 3U) + U16(15) + U32(0xC0080000U) + U16(2)) +
           LabelSst(1, 3, 1) + Record(0x0204, Cell(1, 4) + UnicodeString(u"label", false)) +
           Record(0x0205, Cell(1, 5) + U8(1) + U8(0)) + Record(0x0205, Cell(1, 6) + U8(7) + U8(1)) +
           Formula(1, 7, F64(241)) +
           // A text result: FORMULA, a shared-formula record, then the STRING with the text.
           Formula(3, 0, FormulaCode(0, 0)) + Record(0x04BC, Bytes(10, 0)) +
           Record(0x0207, UnicodeString(u"итог", true)) + Formula(3, 1, FormulaCode(1, 1)) +
           Formula(3, 2, FormulaCode(2, 0x2A)) + Formula(3, 3, FormulaCode(3, 0)) +
           Number(3, 4, 7) + Record(0x0201, Cell(3, 4)) + Number(1, 8, 5) + embeddedChart +
           // Outside the window: never decoded, even with a string index that does not exist.
           Number(60, 0, 1) + LabelSst(2, 45, 99);
}

struct Expected {
    const char* cell;
    int row;
    int column;
    CellKind kind;
    double number;     // Number; Boolean 0 or 1
    std::string text;  // Text; Error as the spreadsheet shows it
};

void PrintTo(const Expected& e, std::ostream* os) {
    *os << e.cell;
}

class CellKindTest : public ::testing::TestWithParam<Expected> {
  protected:
    static void SetUpTestSuite() {
        const Bytes stream =
            Workbook({{u"Лист", 0, AllCellKinds()}}, SharedStrings({u"первый", u"второй"}));
        book_ = new LayoutBook(ReadAll(stream));
    }
    static void TearDownTestSuite() { delete book_; }
    static LayoutBook* book_;
};
LayoutBook* CellKindTest::book_ = nullptr;

TEST_P(CellKindTest, ReadsTheValueASpreadsheetReports) {
    const Expected& e = GetParam();
    const LayoutCell& cell = book_->sheets.at(0).At(e.row, e.column);
    ASSERT_EQ(cell.kind, e.kind) << e.cell;
    if (e.kind == CellKind::Number || e.kind == CellKind::Boolean) {
        EXPECT_DOUBLE_EQ(cell.number, e.number) << e.cell;
    } else if (e.kind == CellKind::Text) {
        EXPECT_EQ(book_->Text(cell), e.text) << e.cell;
    } else if (e.kind == CellKind::Error) {
        EXPECT_EQ(cell.text, e.text) << e.cell;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, CellKindTest,
    ::testing::Values(Expected{"Number", 1, 1, CellKind::Number, 2.5, ""},
                      Expected{"Rk", 1, 2, CellKind::Number, 42, ""},
                      Expected{"MulRkFirst", 2, 0, CellKind::Number, 1, ""},
                      Expected{"MulRkHundredths", 2, 1, CellKind::Number, 2.5, ""},
                      Expected{"MulRkDouble", 2, 2, CellKind::Number, -3, ""},
                      Expected{"SharedString", 1, 3, CellKind::Text, 0, "второй"},
                      Expected{"Label", 1, 4, CellKind::Text, 0, "label"},
                      Expected{"Boolean", 1, 5, CellKind::Boolean, 1, ""},
                      Expected{"Error", 1, 6, CellKind::Error, 0, "#DIV/0!"},
                      Expected{"FormulaNumber", 1, 7, CellKind::Number, 241, ""},
                      Expected{"FormulaText", 3, 0, CellKind::Text, 0, "итог"},
                      Expected{"FormulaBoolean", 3, 1, CellKind::Boolean, 1, ""},
                      Expected{"FormulaError", 3, 2, CellKind::Error, 0, "#N/A"},
                      Expected{"FormulaEmptyText", 3, 3, CellKind::Text, 0, ""},
                      Expected{"BlankOverwrites", 3, 4, CellKind::Empty, 0, ""},
                      Expected{"EmbeddedChartIgnored", 1, 8, CellKind::Number, 5, ""},
                      Expected{"NeverWritten", 0, 0, CellKind::Empty, 0, ""}),
    [](const auto& info) { return std::string(info.param.cell); });

struct Refusal {
    const char* name;
    Bytes stream;
    std::string fragment;
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.name;
}

class RefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusalTest, NamesTheFault) {
    try {
        ReadAll(GetParam().stream);
        FAIL() << "no error";
    } catch (const BookFormatError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().fragment), std::string::npos) << e.what();
    }
}

const Bytes kOneCell = Number(0, 0, 1);

INSTANTIATE_TEST_SUITE_P(
    Streams, RefusalTest,
    ::testing::Values(
        Refusal{"SharedStringMissing", Workbook({{u"Л", 0, LabelSst(1, 1, 5)}}),
                "ячейка B2 ссылается на отсутствующую строку"},
        Refusal{"FormulaTextMissing",
                Workbook({{u"Л", 0, Formula(1, 0, FormulaCode(0, 0)) + kOneCell}}),
                "формулы в ячейке A2"},
        Refusal{"FormulaTextMissingAtEnd", Workbook({{u"Л", 0, Formula(2, 2, FormulaCode(0, 0))}}),
                "формулы в ячейке C3"},
        Refusal{"Encrypted", Workbook({{u"Л", 0, kOneCell}}, Record(0x002F, Bytes(54, 0))),
                "зашифрована"},
        Refusal{"Excel95", Record(0x0809, U16(0x0500) + U16(5) + Bytes(4, 0)) + Eof(),
                "старше Excel 97"},
        Refusal{"SheetWithoutEof",
                [] {
                    Bytes s = Workbook({{u"Л", 0, kOneCell}});
                    s.resize(s.size() - Eof().size());
                    return s;
                }(),
                "не завершён"},
        Refusal{"GlobalsWithoutEof", Bof(5), "не завершена"},
        Refusal{"SharedStringCut", Bof(5) + Record(0x00FC, U32(1) + U32(1) + U16(9) + U8(0) +
                                                              Chars(u"abc", false)) + Eof(),
                "строка обрывается"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BiffSheetTest, KeepsOnlyTheWindow) {
    const Bytes stream =
        Workbook({{u"Л", 0, Number(52, 17, 1) + Number(53, 0, 2) + Number(0, 40, 3)}});
    const LayoutSheet sheet = ReadAll(stream).sheets.at(0);
    EXPECT_EQ(sheet.At(52, 17).kind, CellKind::Number);
    EXPECT_FALSE(sheet.Contains(53, 0));
    EXPECT_FALSE(sheet.Contains(0, 40));  // past the lifts' AN1
}

TEST(BiffSheetTest, SheetsThatAreNoWorksheetsKeepTheirKind) {
    const LayoutBook book = ReadAll(Workbook({{u"Л", 0, kOneCell}, {u"Д", 2, {}}}));
    EXPECT_EQ(book.sheets.at(0).Kind(), SheetKind::Worksheet);
    EXPECT_EQ(book.sheets.at(1).Kind(), SheetKind::Chart);
    EXPECT_EQ(book.sheets.at(1).Name(), "Д");
}

TEST(CellNameTest, NamesColumnsLikeASpreadsheet) {
    EXPECT_EQ(CellName(0, 0), "A1");
    EXPECT_EQ(CellName(52, 17), "R53");
    EXPECT_EQ(CellName(9, 25), "Z10");
    EXPECT_EQ(CellName(0, 26), "AA1");
}

}  // namespace
