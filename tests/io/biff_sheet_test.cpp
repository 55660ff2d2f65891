#include <gtest/gtest.h>

#include "biff_builder.h"
#include "biff_workbook.h"

using namespace shaftline::io;
using namespace biff_builder;

namespace {

constexpr CellWindow kWindow{53, 18};

Bytes SharedStrings(const std::vector<std::u16string>& texts) {
    Bytes body = U32(static_cast<std::uint32_t>(texts.size())) +
                 U32(static_cast<std::uint32_t>(texts.size()));
    for (const auto& t : texts) body = body + UnicodeString(t, true);
    return Record(0x00FC, body);
}

std::vector<BiffSheet> ReadAll(const Bytes& stream) {
    const BiffGlobals globals = ReadBiffGlobals(stream);
    std::vector<BiffSheet> sheets;
    for (std::size_t k = 0; k < globals.sheets.size(); ++k) {
        sheets.push_back(ReadBiffSheet(stream, globals, k, kWindow));
    }
    return sheets;
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
           Number(60, 0, 1) + LabelSst(2, 30, 99);
}

struct Expected {
    const char* cell;
    int row;
    int column;
    CellKind kind;
    double number;
    std::string text;
    std::uint8_t code;
};

void PrintTo(const Expected& e, std::ostream* os) {
    *os << e.cell;
}

class CellKindTest : public ::testing::TestWithParam<Expected> {
  protected:
    static void SetUpTestSuite() {
        const Bytes stream =
            Workbook({{u"Лист", 0, AllCellKinds()}}, SharedStrings({u"первый", u"второй"}));
        sheet_ = new BiffSheet(ReadAll(stream).at(0));
    }
    static void TearDownTestSuite() { delete sheet_; }
    static BiffSheet* sheet_;
};
BiffSheet* CellKindTest::sheet_ = nullptr;

TEST_P(CellKindTest, ReadsTheValueASpreadsheetReports) {
    const Expected& e = GetParam();
    const BiffCell& cell = sheet_->At(e.row, e.column);
    ASSERT_EQ(cell.kind, e.kind) << e.cell;
    if (e.kind == CellKind::Number) {
        EXPECT_DOUBLE_EQ(cell.number, e.number) << e.cell;
    } else if (e.kind == CellKind::Text) {
        EXPECT_EQ(sheet_->Text(cell), e.text) << e.cell;
    } else if (e.kind == CellKind::Boolean || e.kind == CellKind::Error) {
        EXPECT_EQ(cell.code, e.code) << e.cell;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, CellKindTest,
    ::testing::Values(Expected{"Number", 1, 1, CellKind::Number, 2.5, "", 0},
                      Expected{"Rk", 1, 2, CellKind::Number, 42, "", 0},
                      Expected{"MulRkFirst", 2, 0, CellKind::Number, 1, "", 0},
                      Expected{"MulRkHundredths", 2, 1, CellKind::Number, 2.5, "", 0},
                      Expected{"MulRkDouble", 2, 2, CellKind::Number, -3, "", 0},
                      Expected{"SharedString", 1, 3, CellKind::Text, 0, "второй", 0},
                      Expected{"Label", 1, 4, CellKind::Text, 0, "label", 0},
                      Expected{"Boolean", 1, 5, CellKind::Boolean, 0, "", 1},
                      Expected{"Error", 1, 6, CellKind::Error, 0, "", 7},
                      Expected{"FormulaNumber", 1, 7, CellKind::Number, 241, "", 0},
                      Expected{"FormulaText", 3, 0, CellKind::Text, 0, "итог", 0},
                      Expected{"FormulaBoolean", 3, 1, CellKind::Boolean, 0, "", 1},
                      Expected{"FormulaError", 3, 2, CellKind::Error, 0, "", 0x2A},
                      Expected{"FormulaEmptyText", 3, 3, CellKind::Text, 0, "", 0},
                      Expected{"BlankOverwrites", 3, 4, CellKind::Empty, 0, "", 0},
                      Expected{"EmbeddedChartIgnored", 1, 8, CellKind::Number, 5, "", 0},
                      Expected{"NeverWritten", 0, 0, CellKind::Empty, 0, "", 0}),
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
    } catch (const BiffFormatError& e) {
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
        Refusal{"ChartSheet", Workbook({{u"Л", 0, kOneCell}, {u"Д", 2, {}}}), "диаграммы"},
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
        Workbook({{u"Л", 0, Number(52, 17, 1) + Number(53, 0, 2) + Number(0, 18, 3)}});
    const BiffSheet sheet = ReadAll(stream).at(0);
    EXPECT_EQ(sheet.At(52, 17).kind, CellKind::Number);
    EXPECT_FALSE(sheet.Contains(53, 0));
    EXPECT_FALSE(sheet.Contains(0, 18));
}

TEST(CellNameTest, NamesColumnsLikeASpreadsheet) {
    EXPECT_EQ(CellName(0, 0), "A1");
    EXPECT_EQ(CellName(52, 17), "R53");
    EXPECT_EQ(CellName(9, 25), "Z10");
    EXPECT_EQ(CellName(0, 26), "AA1");
}

}  // namespace
