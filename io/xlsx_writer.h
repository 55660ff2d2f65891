#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xlsx_number_cells.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace shaftline::io {

class XlsxBook;
class ReplacingFile;

/// How the cells of a book are shown; the values stay what was written.
struct XlsxStyle {
    bool bold = false;
    bool wrap = false;
    bool alignLeft = false;    ///< numbers too, which stand right by default
    std::string numberFormat;  ///< Excel's number format code; empty for the general format
};

/// A style registered with one book, for its cells.
class XlsxFormat {
  public:
    XlsxFormat() = default;

  private:
    friend class XlsxSheet;
    friend class XlsxBook;
    explicit XlsxFormat(lxw_format* format) : format_(format) {}
    lxw_format* format_ = nullptr;
};

/// One worksheet of an XlsxBook; valid while the book is. Rows and columns are 0-based.
/// Every refusal is a WorkbookError naming the book, the sheet and the cell.
class XlsxSheet {
  public:
    /// Refuses a value that is not finite.
    void WriteNumber(int row, int column, double value, XlsxFormat format = {});
    /// An empty text leaves the cell empty.
    void WriteText(int row, int column, std::string_view text, XlsxFormat format = {});
    /// Width in characters of the default font.
    void SetColumnWidth(int firstColumn, int lastColumn, double width);
    /// Height in points; spreadsheet programs do not fit rows with wrapped text on opening.
    void SetRowHeight(int row, double height);
    /// Keeps the first `rows` rows in view while the rest scrolls.
    void FreezeTopRows(int rows);

  private:
    friend class XlsxBook;
    XlsxSheet(XlsxBook& book, lxw_worksheet* sheet, std::string name, std::size_t index)
        : book_(&book), sheet_(sheet), name_(std::move(name)), index_(index) {}
    [[noreturn]] void RefuseCell(int row, int column, int error) const;

    XlsxBook* book_;
    lxw_worksheet* sheet_;
    std::string name_;
    std::size_t index_;  // among the book's sheets
};

/// An .xlsx book being written. The target is checked and the cells written under the rule of
/// ReplacingFile (output_file.h), and only Close() puts the complete book in the target's place;
/// a book that is destroyed unclosed, or a Close() that fails, leaves the target as it was and
/// no temporary file behind. Every number cell holds the shortest text that reads back to the
/// same double, whatever the C locale. Refusals are WorkbookError with a Russian message naming
/// the book and the reason; the library's own English notes never reach standard error.
class XlsxBook {
  public:
    explicit XlsxBook(const std::string& path);
    ~XlsxBook();
    XlsxBook(const XlsxBook&) = delete;
    XlsxBook& operator=(const XlsxBook&) = delete;

    /// Sheets appear in the order they are added.
    XlsxSheet AddSheet(const std::string& name);
    XlsxFormat AddFormat(const XlsxStyle& style);
    /// Writes the book and moves it into the target's place.
    void Close();

    const std::string& Path() const { return path_; }
    /// "Книга «path» не сохранена: reason."
    [[noreturn]] void Refuse(const std::string& reason) const;

  private:
    friend class XlsxSheet;
    std::string ExactBook(const std::string& written) const;

    std::string path_;  // as the caller named it, for the messages
    std::unique_ptr<ReplacingFile> file_;
    lxw_workbook* book_ = nullptr;
    std::vector<NumberCells> numbers_;  // per sheet, what WriteNumber wrote
};

}  // namespace shaftline::io
