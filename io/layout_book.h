#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sheet_layout.h"

// The cells of a book as every format reader hands them over: for each sheet only the block
// the shaft-line layout can read, with each cell's value as a spreadsheet program reports it
// (a formula gives its stored result). One converter turns this into the shaft-line book.

namespace shaftline::io {

enum class CellKind : std::uint8_t { Empty, Number, Text, Boolean, Error };

struct LayoutCell {
    CellKind kind = CellKind::Empty;
    double number = 0;  ///< Number; Boolean: 0 or 1
    /// Text: the book's shared string with this index, or the cell's own text when none. The
    /// readers keep only an index within the table; a cell pointing past it refuses the book.
    std::optional<std::uint32_t> sharedString;
    std::string text;  ///< Text held by the cell itself; Error: the error's text ("#DIV/0!")
};

/// The block of cells that is kept, from A1: rows 0..rows-1 and columns 0..columns-1.
struct CellWindow {
    int rows = 0;
    int columns = 0;
};

/// Every shaft-line cell lies in A1:R53: A1 and K1, the sections in rows 2..N+1 (N <= 50)
/// and the support row N+3; the first row goes on to the lifts in force, up to AN1.
inline constexpr CellWindow kLayoutWindow{kLayoutRows, kKeptColumns};

enum class SheetKind : std::uint8_t { Worksheet, Chart, Other };

class LayoutSheet {
  public:
    explicit LayoutSheet(std::string name, SheetKind kind = SheetKind::Worksheet,
                         CellWindow window = kLayoutWindow);

    const std::string& Name() const { return name_; }
    SheetKind Kind() const { return kind_; }
    CellWindow Window() const { return window_; }

    /// row and column 0-based, within the window.
    bool Contains(int row, int column) const;
    const LayoutCell& At(int row, int column) const;

    // Cells outside the window are ignored. A cell written again takes the new value.
    void SetNumber(int row, int column, double value);
    void SetText(int row, int column, std::string text);
    void SetSharedText(int row, int column, std::uint32_t index);
    void SetBoolean(int row, int column, bool value);
    void SetError(int row, int column, std::string text);
    void SetEmpty(int row, int column);
    /// Row `to` takes the cells of row `from`; nothing happens outside the window.
    void CopyRow(int from, int to);
    /// The bytes of the texts that the row's cells hold themselves (not shared strings).
    std::size_t RowTextBytes(int row) const;

  private:
    std::size_t Position(int row, int column) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(window_.columns) +
               static_cast<std::size_t>(column);
    }
    /// The cell at the position, emptied; one is made on its first write.
    LayoutCell* Cell(int row, int column);

    std::string name_;
    SheetKind kind_;
    CellWindow window_;
    // Only the cells a book writes are held: slots_ gives, for every position of the window,
    // 1 + the index of its cell in cells_, or 0 for a cell never written.
    std::vector<std::uint16_t> slots_;
    std::vector<LayoutCell> cells_;
};

struct LayoutBook {
    std::vector<LayoutSheet> sheets;         ///< in the book's order
    std::vector<std::string> sharedStrings;  ///< texts that cells refer to by index

    /// The text of a Text cell; its shared-string index, if any, lies within sharedStrings.
    const std::string& Text(const LayoutCell& cell) const;
};

/// A file that breaks its format, or holds more than a shaft-line book can. what() is a
/// Russian reason without the file name; the sheet it concerns, if any, is given apart.
class BookFormatError : public std::runtime_error {
  public:
    explicit BookFormatError(const std::string& reason) : std::runtime_error(reason) {}
    BookFormatError(const std::string& reason, std::size_t sheetIndex, std::string sheetName)
        : std::runtime_error(reason), sheetIndex_(sheetIndex), sheetName_(std::move(sheetName)) {}

    std::optional<std::size_t> SheetIndex() const { return sheetIndex_; }  ///< 0-based
    const std::string& SheetName() const { return sheetName_; }

  private:
    std::optional<std::size_t> sheetIndex_;
    std::string sheetName_;
};

/// The book has no sheet, or more sheets than a shaft line has rotors.
class SheetCountError : public BookFormatError {
  public:
    using BookFormatError::BookFormatError;
};

/// Counts the cells with a value that a reader meets in a book, inside the layout or not;
/// throws BookFormatError past kMaxCells.
class CellCounter {
  public:
    void Count(std::uint64_t cells = 1);

  private:
    std::uint64_t cells_ = 0;
};

/// Counts the text that a reader puts into layout cells, each copy of a repeated cell or row
/// again; throws BookFormatError past kMaxBookTextBytes. Shared strings are counted apart.
class TextBudget {
  public:
    void Count(std::size_t bytes);

  private:
    std::size_t bytes_ = 0;
};

/// Adds strings to a shared-string table; throws BookFormatError past kMaxSharedStrings or
/// kMaxSharedStringBytes.
class SharedStringLimit {
  public:
    void Add(std::vector<std::string>& table, std::string text);

  private:
    std::size_t bytes_ = 0;
};

/// Throws SheetCountError for a book without sheets or with more sheets than a shaft line has
/// rotors; readers check before they read the cells.
void CheckSheetCount(std::size_t count);

/// "A1"-style name of a 0-based row and column.
std::string CellName(int row, int column);

}  // namespace shaftline::io
