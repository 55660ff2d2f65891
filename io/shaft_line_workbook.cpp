// The shaft-line layout of a book and the conversion of its cells, the same for every format.
#include "shaft_line_workbook.h"

#include <cmath>
#include <new>

#include "book_file.h"
#include "book_format.h"
#include "book_limits.h"
#include "message_text.h"
#include "number_text.h"
#include "rotor.h"

namespace shaftline::io {

namespace {

std::string Quoted(std::string_view text) {
    return "«" + QuotedForMessage(text) + "»";
}

std::string SheetPlace(const std::string& fileName, std::size_t index, std::string_view name) {
    return "Книга " + Quoted(fileName) + ", лист " + std::to_string(index + 1) + " " + Quoted(name);
}

[[noreturn]] void RefuseFile(const std::string& fileName, const std::string& reason) {
    throw WorkbookError("Книга " + Quoted(fileName) + ": " + reason + ".");
}

[[noreturn]] void RefuseContent(const std::string& fileName, const std::string& reason) {
    throw WorkbookContentError("Книга " + Quoted(fileName) + ": " + reason + ".");
}

// Converts the cells of one sheet, keeping count of the text that goes into the book.
class SheetConverter {
  public:
    SheetConverter(const LayoutBook& book, std::size_t index, const std::string& fileName,
                   std::string_view separator, std::size_t& textBytes)
        : book_(book),
          sheet_(book.sheets[index]),
          index_(index),
          fileName_(fileName),
          separator_(separator),
          textBytes_(textBytes) {}

    RotorSheet Convert() {
        if (sheet_.Kind() != SheetKind::Worksheet) {
            throw WorkbookContentError(SheetPlace(fileName_, index_, sheet_.Name()) + ": " +
                                       (sheet_.Kind() == SheetKind::Chart
                                            ? "это лист диаграммы, а не рабочий лист"
                                            : "это не рабочий лист с ячейками") +
                                       ".");
        }
        RotorSheet rotor;
        rotor.sectionCount = SectionCount();
        rotor.rows.resize(static_cast<std::size_t>(rotor.sectionCount));
        for (int r = 1; r <= rotor.sectionCount; ++r) {
            for (int c = 0; c < kSectionColumns; ++c) {
                rotor.rows[r - 1][c] = KeptText(r, c);
            }
        }
        const int supportRow = rotor.sectionCount + 2;
        for (int c = 0; c < kSupportColumns; ++c) {
            rotor.support[c] = KeptText(supportRow, c);
        }
        rotor.rotorType = RotorType();
        for (int r = 0; r < kAlignmentRows; ++r) AlignmentRow(r, rotor.alignment[r]);
        return rotor;
    }

  private:
    [[noreturn]] void Refuse(int row, int column, const std::string& reason) const {
        throw WorkbookContentError(SheetPlace(fileName_, index_, sheet_.Name()) + ", ячейка " +
                                   CellName(row, column) + ": " + reason + ".");
    }

    // Numbers in the general format, texts unchanged, empty cells empty; booleans and errors
    // as the spreadsheet shows them.
    std::string CellText(int row, int column) const {
        const LayoutCell& cell = sheet_.At(row, column);
        switch (cell.kind) {
            case CellKind::Empty:
                return {};
            case CellKind::Text:
                return book_.Text(cell);
            case CellKind::Boolean:
                return cell.number != 0 ? "TRUE" : "FALSE";
            case CellKind::Error:
                return cell.text;
            case CellKind::Number:
                if (!std::isfinite(cell.number)) {
                    Refuse(row, column, "число в ячейке повреждено");
                }
                return FormatGeneral(cell.number, separator_);
        }
        return {};
    }

    std::string KeptText(int row, int column) {
        std::string text = CellText(row, column);
        textBytes_ += text.size();
        if (textBytes_ > kMaxBookTextBytes) {
            Refuse(row, column,
                   "в ячейках книги больше " + std::to_string(kMaxBookTextBytes >> 20) +
                       " МБ текста; для валопровода его нужно намного меньше");
        }
        return text;
    }

    // The alignment's cells of a row under one of its labels; any other row (the sample book
    // keeps column headers in row 1) stays empty.
    void AlignmentRow(int row, std::array<std::string, kAlignmentColumns>& cells) {
        const LayoutCell& label = sheet_.At(row, kAlignmentLabelColumn);
        if (label.kind != CellKind::Text) return;
        const std::string& text = book_.Text(label);
        if (text != kCouplingLabel && text != kBracketsLabel && text != kFoundLabel &&
            text != kBearingsLabel) {
            return;
        }
        for (int c = 0; c < kAlignmentColumns; ++c) {
            cells[c] = KeptText(row, kAlignmentLabelColumn + c);
        }
    }

  public:
    // The base rotor of a saved book: an integer in K2 of the first sheet under its label.
    int BaseRotor(int rotorCount) const {
        if (!Labelled(kBaseRotorRow, kBaseRotorLabel)) return 0;
        const LayoutCell& cell = sheet_.At(kBaseRotorRow, kRotorTypeColumn);
        if (cell.kind != CellKind::Number || !std::isfinite(cell.number)) return 0;
        const double number = cell.number;
        return number == std::floor(number) && number >= 1 && number <= rotorCount
                   ? static_cast<int>(number)
                   : 0;
    }

    // A row of per-support cells of the first sheet, from U on, under its label in T, up to
    // the last cell with a value; nothing under any other label.
    std::vector<std::string> SupportRow(int row, std::string_view label) {
        const LayoutCell& cell = sheet_.At(row, kLiftsLabelColumn);
        if (cell.kind != CellKind::Text || book_.Text(cell) != label) return {};
        std::vector<std::string> texts;
        for (int i = 0; i < kMaxLiftCells; ++i)
            texts.push_back(KeptText(row, kLiftsLabelColumn + 1 + i));
        while (!texts.empty() && texts.back().empty()) texts.pop_back();
        return texts;
    }

  private:
    // J of the row holds the label that says what K of that row holds; any other book (the
    // sample book keeps column headers there) carries nothing in K.
    bool Labelled(int row, std::string_view label) const {
        const LayoutCell& cell = sheet_.At(row, kSavedLabelColumn);
        return cell.kind == CellKind::Text && book_.Text(cell) == label;
    }

    // K1 refuses a book only as every cell does, for text past the book's limit; a damaged
    // number leaves the rotor type empty.
    std::string RotorType() {
        if (!Labelled(0, kRotorTypeLabel)) return {};
        const LayoutCell& cell = sheet_.At(0, kRotorTypeColumn);
        if (cell.kind == CellKind::Number && !std::isfinite(cell.number)) return {};
        return KeptText(0, kRotorTypeColumn);
    }

    // Nearest integer, halves to the even neighbour, whatever the floating-point rounding mode.
    static double RoundHalfToEven(double x) {
        const double nearest = std::round(x);
        return std::fabs(x - nearest) == 0.5 ? 2.0 * std::round(x / 2.0) : nearest;
    }

    // A1: a number rounds half to even; a text must hold an integer. An empty cell would be 0
    // sections; only 1..50 fit a rotor record.
    int SectionCount() const {
        const LayoutCell& cell = sheet_.At(0, 0);
        double count = 0;
        switch (cell.kind) {
            case CellKind::Empty:
                Refuse(0, 0, "ячейка пуста, а в ней должно стоять число участков ротора");
            case CellKind::Number:
                if (!std::isfinite(cell.number)) {
                    Refuse(0, 0, "число в ячейке повреждено");
                }
                count = RoundHalfToEven(cell.number);
                break;
            case CellKind::Text: {
                const std::string& text = book_.Text(cell);
                try {
                    count = ParseInteger(text);
                } catch (const ConversionError&) {
                    Refuse(0, 0, Quoted(text) + " не является целым числом");
                }
                break;
            }
            case CellKind::Boolean:
            case CellKind::Error:
                Refuse(0, 0, Quoted(CellText(0, 0)) + " не является целым числом");
        }
        if (count < 1 || count > kMaxSections) {
            Refuse(0, 0,
                   "число участков " + FormatGeneral(count, ".") +
                       " вне допустимого диапазона 1.." + std::to_string(kMaxSections));
        }
        return static_cast<int>(count);
    }

    const LayoutBook& book_;
    const LayoutSheet& sheet_;
    std::size_t index_;
    const std::string& fileName_;
    std::string_view separator_;
    std::size_t& textBytes_;
};

ShaftLineWorkbook ConvertLayout(const LayoutBook& layout, const std::string& fileName,
                                std::string_view separator) {
    ShaftLineWorkbook workbook;
    std::size_t textBytes = 0;
    for (std::size_t k = 0; k < layout.sheets.size(); ++k) {
        workbook.sheets.push_back(
            SheetConverter(layout, k, fileName, separator, textBytes).Convert());
    }
    if (!layout.sheets.empty()) {
        SheetConverter first(layout, 0, fileName, separator, textBytes);
        workbook.baseRotor = first.BaseRotor(static_cast<int>(layout.sheets.size()));
        workbook.lifts = first.SupportRow(kLiftsRow, kLiftsLabel);
        for (int r = 0; r < kJournalRows; ++r)
            workbook.journals[static_cast<std::size_t>(r)] =
                first.SupportRow(kJournalFirstRow + r, kJournalLabels[r]);
    }
    return workbook;
}

template <typename Read>
ShaftLineWorkbook ReadAndConvertUnguarded(Read read, const std::string& fileName,
                                          std::string_view separator) {
    LayoutBook layout;
    try {
        layout = read();
    } catch (const SheetCountError& e) {
        RefuseContent(fileName, e.what());
    } catch (const BookFormatError& e) {
        // A damaged sheet: the file is a workbook, its sheet holds no shaft line.
        if (e.SheetIndex()) {
            throw WorkbookContentError(SheetPlace(fileName, *e.SheetIndex(), e.SheetName()) + ": " +
                                       e.what() + ".");
        }
        RefuseFile(fileName, e.what());
    }
    return ConvertLayout(layout, fileName, separator);
}

[[noreturn]] void RefuseOutOfMemory(const std::string& fileName) {
    throw WorkbookError("Книга " + Quoted(fileName) +
                        " слишком велика: для её чтения не хватило памяти.");
}

template <typename Read>
ShaftLineWorkbook ReadAndConvert(Read read, const std::string& fileName,
                                 std::string_view separator) {
    try {
        return ReadAndConvertUnguarded(read, fileName, separator);
    } catch (const std::bad_alloc&) {
        RefuseOutOfMemory(fileName);
    }
}

}  // namespace

ShaftLineWorkbook ParseShaftLineWorkbook(std::span<const std::uint8_t> file,
                                         const std::string& fileName,
                                         std::string_view decimalSeparator) {
    return ReadAndConvert([file] { return ReadBookLayout(file); }, fileName, decimalSeparator);
}

ShaftLineWorkbook ParseShaftLineWorkbookStream(std::span<const std::uint8_t> stream,
                                               const std::string& fileName,
                                               std::string_view decimalSeparator) {
    return ReadAndConvert([stream] { return ReadBiffLayout(stream); }, fileName, decimalSeparator);
}

// Memory runs out in reading a book only for one far beyond the limits that still fits them
// (or on a machine that has almost none left): it is refused as such, never as a bare
// std::bad_alloc.
ShaftLineWorkbook ReadShaftLineWorkbook(const std::string& path,
                                        std::string_view decimalSeparator) {
    try {
        const BookBytes bytes = ReadBookFile(path);
        return ParseShaftLineWorkbook(bytes.Span(), path, decimalSeparator);
    } catch (const std::bad_alloc&) {
        RefuseOutOfMemory(path);
    }
}

}  // namespace shaftline::io
