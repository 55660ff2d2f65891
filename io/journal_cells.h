#pragma once

#include <stdexcept>
#include <string_view>
#include <vector>

#include "shaft_line_workbook.h"
#include "support_lift_task.h"

namespace shaftline::io {

/// A journal cell whose text cannot be used; what() names the cell and says why.
class JournalCellError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// The bearing journals a book carries, one for every support of a line with supportCount
/// supports that has any of its three cells filled, J0 first. Numbers with the given decimal
/// separator. Throws JournalCellError for a cell that is no number above 0, a support with a
/// diameter but no length (or the other way round, or a pressure alone), or a journal for a
/// support the line has not.
std::vector<JournalSize> JournalsFromBook(const ShaftLineWorkbook& book,
                                          std::string_view decimalSeparator, int supportCount);

}  // namespace shaftline::io
