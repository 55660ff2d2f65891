#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "biff_stream.h"
#include "layout_book.h"

// The cell values of a BIFF8 workbook stream, as a spreadsheet program reports them: numbers,
// texts, booleans, error values, and for a formula its stored result.

namespace shaftline::io {

/// A sheet as the workbook's directory lists it.
struct BiffSheetEntry {
    std::string name;
    std::uint32_t offset = 0;  ///< of the sheet's BOF record within the stream
    std::uint8_t type = 0;     ///< 0 worksheet, 1 macro sheet, 2 chart, 6 code module
};

struct BiffGlobals {
    std::vector<BiffSheetEntry> sheets;
    std::vector<std::string> sharedStrings;
};

/// The workbook globals: the sheet directory and the shared-string table. Throws
/// BiffFormatError for a stream that is not BIFF8, is encrypted, is damaged or holds more
/// than a shaft-line book can.
BiffGlobals ReadBiffGlobals(ByteSpan stream);

/// The cells of sheet `index` (0-based) that lie in the layout window; texts from the
/// shared-string table stay references into it. A sheet that is no worksheet comes back
/// empty with its kind. Throws BiffFormatError when the sheet is damaged, or a kept cell
/// cannot be decoded (the message names it); `cells` counts every cell with a value.
LayoutSheet ReadBiffSheet(ByteSpan stream, const BiffGlobals& globals, std::size_t index,
                          CellCounter& cells);

/// Text of a spreadsheet error code as the spreadsheet shows it ("#DIV/0!").
std::string ErrorText(std::uint8_t code);

}  // namespace shaftline::io
