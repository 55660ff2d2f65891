#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace shaftline::io {

/// The number cells of one sheet by 0-based row and column, with the values written there.
using NumberCells = std::map<std::pair<int, int>, double>;

/// The shortest decimal text that reads back to exactly `value` ("0.30000000000000004",
/// "4974.5", "1e-300"), whatever the C locale.
std::string ExactNumberText(double value);

/// A worksheet part as the .xlsx library wrote it, with the value of every number cell (a cell
/// without a type, holding a <v>) replaced by the exact text of the number written there: the
/// library writes 16 digits in the C locale's writing. Throws OutputRefusal when the part's
/// number cells are not exactly those of `numbers`.
std::string WithExactNumbers(std::string_view sheetPart, const NumberCells& numbers);

}  // namespace shaftline::io
