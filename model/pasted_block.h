#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace shaftline {

/// A rectangular block of cell texts as spreadsheets exchange it through the clipboard: rows of
/// cells, every row as long as the longest one.
struct TextBlock {
    std::vector<std::vector<std::string>> rows;

    int RowCount() const { return static_cast<int>(rows.size()); }
    int ColumnCount() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
};

/// Splits a pasted text into rows (line breaks \r\n, \n or \r; one line break at the very end
/// closes the last row) and cells. The cells are separated by tabs when the text has a tab
/// outside quoted cells, otherwise by semicolons. A cell that begins with a double quote is
/// quoted: it runs to the closing quote, may hold tabs, semicolons and line breaks, and "" in it
/// stands for one quote; a quote that is never closed is taken as typed. Short rows are padded
/// with empty cells. An empty text gives no rows; a lone line break gives one empty cell.
TextBlock ParsePastedBlock(std::string_view text);

/// The block as tab-separated lines, each ending in \n; a cell that holds a tab, a semicolon, a
/// line break or begins with a quote is quoted, so that ParsePastedBlock gives the same cells.
std::string FormatCopiedBlock(const TextBlock& block);

/// A number written with the other decimal separator ("1.5" where the user's separator is a
/// comma, "1,5" where it is a point) rewritten with the user's separator. Only a plain number
/// (sign, digits, one separator, exponent; no blanks and no group separators) whose reading is
/// unambiguous is rewritten: where the other separator is also the user's group separator, a
/// text such as "1,234" could be a grouped integer and stays as typed. Every other text, and a
/// number already written with the user's separator, comes back unchanged.
std::string WithDecimalSeparator(std::string_view cell, std::string_view decimalSeparator,
                                 std::string_view groupSeparator);

}  // namespace shaftline
