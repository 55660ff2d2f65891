// The .ods reader: every sheet is a <table:table> of content.xml, its rows and cells counted
// with their repeats; a cell's value is in its office: attributes, its text in <text:p>.
#include <algorithm>

#include "book_limits.h"
#include "cell_values.h"
#include "message_text.h"
#include "shaft_line.h"
#include "xml_reader.h"
#include "zip_book.h"

namespace shaftline::io {

namespace {

constexpr std::string_view kOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view kTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view kText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view kCalcExt =
    "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0";
constexpr std::string_view kContent = "content.xml";

// The count of a number-…-repeated or text:c attribute; 1 when absent or unreadable.
std::uint64_t Count(const std::string_view* text) {
    const std::optional<double> n = text ? ParseXmlNumber(*text) : std::nullopt;
    return n && *n >= 1 && *n < 1e15 ? static_cast<std::uint64_t>(*n) : 1;
}

// Positions far beyond any sheet stay there instead of wrapping round.
std::uint64_t Advance(std::uint64_t position, std::uint64_t count) {
    return std::min<std::uint64_t>(position + count, std::uint64_t{1} << 40);
}

class ContentHandler final : public XmlHandler {
  public:
    explicit ContentHandler(LayoutBook& book) : book_(book) {}

    // Inside a table only rows, the groups of rows and the cells of a row are read; anything
    // else there (shapes, forms, a nested table outside a cell, another vocabulary) is skipped
    // with all it holds.
    void Start(const XmlElement& e) override {
        ++depth_;
        if (cellDepth_ != 0) {
            StartInCell(e);
        } else if (skipDepth_ != 0) {
            return;
        } else if (sheet_ == nullptr) {
            if (e.ns == kOffice && e.name == "spreadsheet") {
                spreadsheetDepth_ = depth_;
            } else if (spreadsheetDepth_ != 0 && e.ns == kTable && e.name == "table" &&
                       depth_ == spreadsheetDepth_ + 1) {
                StartTable(e);
            }
        } else if (rowDepth_ != 0) {
            if (e.ns == kTable && (e.name == "table-cell" || e.name == "covered-table-cell")) {
                StartCell(e);
            } else {
                skipDepth_ = depth_;
            }
        } else if (e.ns == kTable && e.name == "table-row") {
            rowDepth_ = depth_;
            rowRepeat_ = Count(e.Attribute("number-rows-repeated", kTable));
            column_ = 0;
        } else if (e.ns != kTable || (e.name != "table-header-rows" && e.name != "table-rows" &&
                                      e.name != "table-row-group")) {
            skipDepth_ = depth_;
        }
    }

    void End(std::string_view, std::string_view) override {
        if (depth_ == cellDepth_) {
            EndCell();
        } else if (cellDepth_ != 0) {
            if (depth_ == annotationDepth_) annotationDepth_ = 0;
        } else if (depth_ == skipDepth_) {
            skipDepth_ = 0;
        } else if (depth_ == rowDepth_) {
            EndRow();
        } else if (depth_ == tableDepth_) {
            sheet_ = nullptr;
            tableDepth_ = 0;
        }
        --depth_;
    }

    void Characters(std::string_view text) override {
        if (kept_ && paragraphs_ > 0 && annotationDepth_ == 0) AppendText(text);
    }

    std::size_t tables = 0;
    bool InTable() const { return sheet_ != nullptr; }

  private:
    void StartTable(const XmlElement& e) {
        tableDepth_ = depth_;
        row_ = 0;
        if (++tables > static_cast<std::size_t>(kMaxRotors)) return;  // counted for the refusal
        const std::string_view* name = e.Attribute("name", kTable);
        book_.sheets.emplace_back(std::string(name ? *name : ""));
        sheet_ = &book_.sheets.back();
    }

    // A repeated row is copied into the rows of the window it covers; its texts count again
    // for every copy.
    void EndRow() {
        for (std::uint64_t r = 1; r < rowRepeat_ && row_ + r < kLayoutWindow.rows; ++r) {
            textBudget_.Count(sheet_->RowTextBytes(static_cast<int>(row_)));
            sheet_->CopyRow(static_cast<int>(row_), static_cast<int>(row_ + r));
        }
        row_ = Advance(row_, rowRepeat_);
        rowDepth_ = 0;
    }

    void StartCell(const XmlElement& e) {
        cellDepth_ = depth_;
        repeat_ = Count(e.Attribute("number-columns-repeated", kTable));
        kept_ = row_ < kLayoutWindow.rows && column_ < kLayoutWindow.columns;
        paragraphs_ = 0;
        text_.Clear();
        const std::string_view* type = e.Attribute("value-type", kOffice);
        const std::string_view* extType = e.Attribute("value-type", kCalcExt);
        type_ = extType && *extType == "error" ? "error" : std::string(type ? *type : "");
        value_.reset();
        const char* valueAttribute = type_ == "date"      ? "date-value"
                                     : type_ == "time"    ? "time-value"
                                     : type_ == "boolean" ? "boolean-value"
                                     : type_ == "string"  ? "string-value"
                                                          : "value";
        if (const std::string_view* value = e.Attribute(valueAttribute, kOffice))
            value_ = std::string(*value);
    }

    void StartInCell(const XmlElement& e) {
        if (annotationDepth_ != 0) return;
        if (e.ns == kOffice && e.name == "annotation") {
            annotationDepth_ = depth_;
        } else if (kept_ && e.ns == kText) {
            if (e.name == "p" || e.name == "h") {
                if (paragraphs_++ > 0) AppendText("\n");
            } else if (e.name == "s" && paragraphs_ > 0) {
                text_.Append(Count(e.Attribute("c", kText)), ' ', [this] { return TextName(); });
            } else if (e.name == "tab" && paragraphs_ > 0) {
                AppendText("\t");
            } else if (e.name == "line-break" && paragraphs_ > 0) {
                AppendText("\n");
            }
        }
    }

    std::string TextName() const {
        return "текст ячейки " + CellName(static_cast<int>(row_), static_cast<int>(column_));
    }
    void AppendText(std::string_view text) {
        text_.Append(text, [this] { return TextName(); });
    }

    [[noreturn]] void Refuse(const std::string& reason) const {
        throw BookFormatError("в ячейке " +
                              CellName(static_cast<int>(row_), static_cast<int>(column_)) + " " +
                              reason);
    }

    // Writes the cell's value into every column it repeats over; false for a cell without one.
    bool WriteCell() {
        const std::optional<LayoutCell> cell = Value();
        if (!cell) return false;
        if (!kept_) return true;
        for (std::uint64_t c = column_; c < column_ + repeat_ && c < kLayoutWindow.columns; ++c) {
            const int row = static_cast<int>(row_);
            const int column = static_cast<int>(c);
            switch (cell->kind) {
                case CellKind::Number:
                    sheet_->SetNumber(row, column, cell->number);
                    break;
                case CellKind::Boolean:
                    sheet_->SetBoolean(row, column, cell->number != 0);
                    break;
                case CellKind::Text:
                    textBudget_.Count(cell->text.size());
                    sheet_->SetText(row, column, cell->text);
                    break;
                case CellKind::Error:
                    textBudget_.Count(cell->text.size());
                    sheet_->SetError(row, column, cell->text);
                    break;
                case CellKind::Empty:
                    sheet_->SetEmpty(row, column);
                    break;
            }
        }
        return true;
    }

    std::optional<LayoutCell> Value() const {
        LayoutCell cell;
        if (type_ == "error") {
            cell.kind = CellKind::Error;
            cell.text = text_.Text();
        } else if (type_ == "string" || (type_.empty() && paragraphs_ > 0)) {
            cell.kind = CellKind::Text;
            cell.text = value_ ? *value_ : text_.Text();
        } else if (type_ == "boolean") {
            cell.kind = CellKind::Boolean;
            cell.number = value_ && (*value_ == "true" || *value_ == "1") ? 1 : 0;
        } else if (!type_.empty()) {
            cell.kind = CellKind::Number;
            const std::optional<double> number = !value_           ? std::nullopt
                                                 : type_ == "date" ? SerialFromIsoDate(*value_)
                                                 : type_ == "time" ? DaysFromIsoDuration(*value_)
                                                                   : ParseXmlNumber(*value_);
            if (!number) {
                if (!kept_) return cell;
                Refuse("не число: «" + QuotedForMessage(value_ ? *value_ : "") + "»");
            }
            cell.number = *number;
        } else {
            return std::nullopt;
        }
        return cell;
    }

    void EndCell() {
        if (WriteCell()) {
            const std::uint64_t most = kMaxCells + 1;
            cells_.Count(std::min(repeat_, most) * std::min(rowRepeat_, most));
        }
        column_ = Advance(column_, repeat_);
        cellDepth_ = 0;
        annotationDepth_ = 0;
        kept_ = false;
    }

    LayoutBook& book_;
    LayoutSheet* sheet_ = nullptr;
    CellCounter cells_;
    TextBudget textBudget_;
    LimitedText text_{kMaxBookTextBytes};
    std::string type_;
    std::optional<std::string> value_;
    std::uint64_t row_ = 0;
    std::uint64_t column_ = 0;
    std::uint64_t rowRepeat_ = 1;
    std::uint64_t repeat_ = 1;
    std::size_t depth_ = 0;
    std::size_t spreadsheetDepth_ = 0;
    std::size_t tableDepth_ = 0;
    std::size_t rowDepth_ = 0;
    std::size_t cellDepth_ = 0;
    std::size_t skipDepth_ = 0;
    std::size_t annotationDepth_ = 0;
    int paragraphs_ = 0;
    bool kept_ = false;
};

}  // namespace

LayoutBook ReadOdsLayout(const ZipArchive& archive) {
    LayoutBook book;
    ContentHandler handler(book);
    try {
        ParseXml(archive.Read(kContent), kContent, handler);
    } catch (const BookFormatError& e) {
        if (!handler.InTable() || e.SheetIndex()) throw;
        throw BookFormatError(e.what(), book.sheets.size() - 1, book.sheets.back().Name());
    }
    CheckSheetCount(handler.tables);
    return book;
}

}  // namespace shaftline::io
