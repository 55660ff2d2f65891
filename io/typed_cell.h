#pragma once

#include <string>
#include <string_view>

#include "xlsx_writer.h"

namespace shaftline::io {

/// Writes a text as the user typed it: as a number when it is one with the given decimal
/// separator and the readers' general format of 15 significant digits gives the same number
/// back; otherwise, a wrong entry or a number with more digits than that, as the text itself,
/// so that nothing typed is lost.
void WriteTypedText(XlsxSheet& sheet, int row, int column, const std::string& text,
                    std::string_view decimalSeparator);

}  // namespace shaftline::io
