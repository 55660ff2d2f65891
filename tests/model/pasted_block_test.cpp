#include "pasted_block.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace shaftline {
namespace {

using Rows = std::vector<std::vector<std::string>>;

struct ParseCase {
    const char* name;
    std::string text;
    Rows rows;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << c.name;
}

class ParsePastedBlockTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsePastedBlockTest, GivesTheCells) {
    EXPECT_EQ(ParsePastedBlock(GetParam().text).rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParsePastedBlockTest,
    ::testing::Values(
        ParseCase{
            "spreadsheet_tabs_crlf", "100\t500\r\n200\t0\r\n", {{"100", "500"}, {"200", "0"}}},
        ParseCase{"no_final_line_break", "1\t2\n3\t4", {{"1", "2"}, {"3", "4"}}},
        ParseCase{"old_mac_line_breaks", "1\r2\r", {{"1"}, {"2"}}},
        ParseCase{"semicolons", "1,5;2,5\n3;4\n", {{"1,5", "2,5"}, {"3", "4"}}},
        ParseCase{"tabs_win_over_semicolons", "a;b\tc\n", {{"a;b", "c"}}},
        ParseCase{"quoted_line_break_and_quotes",
                  "\"вал\nлевый\"\t\"\"\"Ц\"\"\"\n",
                  {{"вал\nлевый", "\"Ц\""}}},
        ParseCase{"quoted_separator_is_no_column", "\"a;b\"\n", {{"a;b"}}},
        ParseCase{"unclosed_quote_as_typed", "\"abc\t1\n", {{"\"abc", "1"}}},
        ParseCase{"quote_inside_cell_as_typed", "5\"\t6\n", {{"5\"", "6"}}},
        ParseCase{"short_rows_padded", "1\t2\t3\n4\n", {{"1", "2", "3"}, {"4", "", ""}}},
        ParseCase{"empty_cells_kept", "\t\n\t\n", {{"", ""}, {"", ""}}},
        ParseCase{"lone_line_break_is_one_empty_cell", "\n", {{""}}},
        ParseCase{"empty_text_is_nothing", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatCopiedBlock, ParsesBackToTheSameCells) {
    const TextBlock block{{{"100", "", "\"quoted\"", "a;b"},
                           {"line\nbreak", "tab\there", "5\"", "-1,5E-3"},
                           {"", "", "", ""}}};
    EXPECT_EQ(FormatCopiedBlock(block),
              "100\t\t\"\"\"quoted\"\"\"\t\"a;b\"\n"
              "\"line\nbreak\"\t\"tab\there\"\t5\"\t-1,5E-3\n"
              "\t\t\t\n");
    EXPECT_EQ(ParsePastedBlock(FormatCopiedBlock(block)).rows, block.rows);
    const TextBlock column{{{"a;b"}, {""}, {"c"}}};
    EXPECT_EQ(ParsePastedBlock(FormatCopiedBlock(column)).rows, column.rows);
}

struct SeparatorCase {
    const char* name;
    std::string cell;
    std::string decimal;
    std::string group;
    std::string expected;
};

void PrintTo(const SeparatorCase& c, std::ostream* out) {
    *out << c.name;
}

class WithDecimalSeparatorTest : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(WithDecimalSeparatorTest, RewritesOnlyUnambiguousNumbers) {
    const SeparatorCase& c = GetParam();
    EXPECT_EQ(WithDecimalSeparator(c.cell, c.decimal, c.group), c.expected);
}

const std::string kNbsp = "\xc2\xa0";  // the Russian group separator

INSTANTIATE_TEST_SUITE_P(
    Cases, WithDecimalSeparatorTest,
    ::testing::Values(
        SeparatorCase{"point_into_comma", "1.5", ",", kNbsp, "1,5"},
        SeparatorCase{"comma_into_point", "1,5", ".", ",", "1.5"},
        SeparatorCase{"exponent_and_sign", "-2.5E-3", ",", kNbsp, "-2,5E-3"},
        SeparatorCase{"bare_fraction", ".5", ",", kNbsp, ",5"},
        SeparatorCase{"three_decimals_without_grouping", "1.234", ",", kNbsp, "1,234"},
        SeparatorCase{"could_be_grouped_integer", "1,234", ".", ",", "1,234"},
        SeparatorCase{"negative_could_be_grouped", "-12,500", ".", ",", "-12,500"},
        SeparatorCase{"four_decimals_cannot_be_grouped", "12,3456", ".", ",", "12.3456"},
        SeparatorCase{"exponent_cannot_be_grouped", "1,234E5", ".", ",", "1.234E5"},
        SeparatorCase{"already_local", "1,5", ",", kNbsp, "1,5"},
        SeparatorCase{"integer", "21000", ",", kNbsp, "21000"},
        SeparatorCase{"grouped_with_point", "1,234.5", ",", kNbsp, "1,234.5"},
        SeparatorCase{"grouped_with_blank", "1 234.5", ",", kNbsp, "1 234.5"},
        SeparatorCase{"two_points", "1.2.3", ",", kNbsp, "1.2.3"},
        SeparatorCase{"blank_around", " 1.5", ",", kNbsp, " 1.5"},
        SeparatorCase{"no_digits", ".", ",", kNbsp, "."},
        SeparatorCase{"cut_exponent", "1.5E", ",", kNbsp, "1.5E"},
        SeparatorCase{"text", "С насадными дисками", ",", kNbsp, "С насадными дисками"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace shaftline
