#pragma once

#include <stdexcept>
#include <string_view>
#include <vector>

#include "shaft_line_workbook.h"

namespace shaftline::io {

/// A lift cell whose text cannot be used; what() names the cell and quotes the text.
class LiftCellError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// The support lifts in force a book carries (mm, J0 first), one per support of a line with
/// supportCount supports: empty cells and supports past the last cell are 0. Numbers with the
/// given decimal separator. Throws LiftCellError for a cell that is no finite number, a lift
/// beyond the largest a line accepts, or a lift for a support the line has not.
std::vector<double> LiftsFromBook(const ShaftLineWorkbook& book, std::string_view decimalSeparator,
                                  int supportCount);

/// The lifts as texts for the book's cells: the shortest exact form with the given separator,
/// no cells at all when every lift is 0.
std::vector<std::string> LiftTexts(const std::vector<double>& lifts, std::string_view decimalSeparator);

/// "Подъёмы опор в силе, мм: опора 2 0.25; …" naming every support lifted, each lift in its
/// shortest exact form with the given separator; empty when no lift is in force.
std::string LiftsInForceText(const std::vector<double>& lifts, std::string_view decimalSeparator);

}  // namespace shaftline::io
