#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "biff_stream.h"

// The cell values of a BIFF8 workbook stream, as a spreadsheet program reports them: numbers,
// texts, booleans, error values, and for a formula its stored result.

namespace shaftline::io {

enum class CellKind : std::uint8_t { Empty, Number, Text, Boolean, Error };

struct BiffCell {
    CellKind kind = CellKind::Empty;
    std::uint8_t code = 0;   ///< Boolean: 0 or 1; Error: the error code
    std::uint32_t text = 0;  ///< Text: index into BiffSheet::texts
    double number = 0;       ///< Number
};

/// The block of cells that is kept, from A1: rows 0..rows-1 and columns 0..columns-1.
/// Cells outside it are skipped without being decoded.
struct CellWindow {
    int rows = 0;
    int columns = 0;
};

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

class BiffSheet {
  public:
    explicit BiffSheet(CellWindow window);

    CellWindow Window() const { return window_; }
    /// row and column 0-based, within the window.
    const BiffCell& At(int row, int column) const;
    const std::string& Text(const BiffCell& cell) const { return texts_[cell.text]; }

    bool Contains(int row, int column) const;
    void SetNumber(int row, int column, double value);
    void SetText(int row, int column, std::string value);
    void SetCode(int row, int column, CellKind kind, std::uint8_t code);
    void SetEmpty(int row, int column);

  private:
    CellWindow window_;
    std::vector<BiffCell> cells_;
    std::vector<std::string> texts_;
};

/// The workbook globals: the sheet directory and the shared-string table. Throws
/// BiffFormatError for a stream that is not BIFF8, is encrypted or is damaged.
BiffGlobals ReadBiffGlobals(ByteSpan stream);

/// The cells of sheet `index` (0-based) that lie in the window. Throws BiffFormatError when the
/// sheet is no worksheet, is damaged, or a kept cell cannot be decoded (the message names it).
BiffSheet ReadBiffSheet(ByteSpan stream, const BiffGlobals& globals, std::size_t index,
                        CellWindow window);

/// "A1"-style name of a 0-based row and column.
std::string CellName(int row, int column);

/// Text of a spreadsheet error code as the spreadsheet shows it ("#DIV/0!").
std::string ErrorText(std::uint8_t code);

}  // namespace shaftline::io
