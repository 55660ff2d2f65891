// A workbook refused for what its sheets hold is told apart from a file that is no usable
// workbook: the windows report the two differently.
#include <gtest/gtest.h>

#include "shaft_line_workbook.h"
#include "test_books.h"

using namespace shaftline::io;

namespace {

struct RefusalKind {
    const char* file;
    bool content;
    bool hostile = false;  ///< written into the build tree by the test io_hostile_books
};

void PrintTo(const RefusalKind& kind, std::ostream* out) {
    *out << kind.file;
}

class WorkbookRefusalKindTest : public ::testing::TestWithParam<RefusalKind> {};

TEST_P(WorkbookRefusalKindTest, ContentRefusalsHaveTheirOwnType) {
    try {
        const std::string file = GetParam().file;
        ReadShaftLineWorkbook(
            GetParam().hostile ? test_books::Hostile(file) : test_books::Data(file), ".");
        FAIL() << "accepted";
    } catch (const WorkbookContentError&) {
        EXPECT_TRUE(GetParam().content);
    } catch (const WorkbookError&) {
        EXPECT_FALSE(GetParam().content);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, WorkbookRefusalKindTest,
    ::testing::Values(RefusalKind{"a1_text.xls", true}, RefusalKind{"a1_empty.xls", true},
                      RefusalKind{"no_sheets.xls", true}, RefusalKind{"twenty_sheets.xls", true},
                      RefusalKind{"chart_sheet.xls", true}, RefusalKind{"missing.xls", false},
                      RefusalKind{"not_a_workbook.xls", false}, RefusalKind{"truncated.xls", false},
                      RefusalKind{"encrypted.xls", false}, RefusalKind{"excel95.xls", false},
                      // A sheet past the cell limit, whatever the format.
                      RefusalKind{"many_cells.xls", true, true},
                      RefusalKind{"huge_sheet_part.xlsx", true, true}),
    [](const auto& info) {
        std::string name = info.param.file;
        for (char& c : name)
            if (c == '.') c = '_';
        return name;
    });

}  // namespace
