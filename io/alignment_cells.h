#pragma once

#include <stdexcept>
#include <string_view>

#include "alignment_inputs.h"
#include "shaft_line_workbook.h"

namespace shaftline::io {

/// A cell of the alignment on site whose text cannot be used; what() names the sheet and the
/// cell and quotes the text.
class AlignmentCellError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// The alignment inputs a book carries (see sheet_layout.h): the couplings of the even sheets
/// between two rotors, the bearings of the odd ones. The fixed bearings are those marked 1 when
/// any bearing carries a mark, else the default. Numbers with the given decimal separator;
/// angles in the cells are mm/m. Throws AlignmentCellError.
AlignmentInputs AlignmentFromBook(const ShaftLineWorkbook& book, std::string_view decimalSeparator);

}  // namespace shaftline::io
