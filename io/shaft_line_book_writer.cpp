#include "shaft_line_book_writer.h"

#include <algorithm>

#include "rotor.h"
#include "rotor_transfer.h"
#include "shaft_line.h"
#include "sheet_layout.h"
#include "typed_cell.h"
#include "xlsx_writer.h"

namespace shaftline::io {

namespace {

// 0-based positions of the layout: A1 the count, the sections below it, one separating row
// that carries the support headers, then the support row.
constexpr int kCountRow = 0;
static_assert(kSectionColumnNames.size() == kSectionColumns);
static_assert(kSupportColumnNames.size() == kSupportColumns);
constexpr double kHeaderRowHeight = 30;  // points: two lines of wrapped header

struct Styles {
    XlsxFormat header;
    XlsxFormat count;  // A1 keeps the count as its value and reads as the first column's header
};

void WriteRotor(XlsxSheet& sheet, const RotorSheet& rotor, std::string_view separator,
                const Styles& styles) {
    const int sections = static_cast<int>(rotor.rows.size());
    sheet.WriteNumber(kCountRow, 0, sections, styles.count);
    for (std::size_t c = 1; c < kSectionColumnNames.size(); ++c)
        sheet.WriteText(kCountRow, static_cast<int>(c), kSectionColumnNames[c], styles.header);
    sheet.SetRowHeight(kCountRow, kHeaderRowHeight);
    if (!rotor.rotorType.empty()) {
        sheet.WriteText(kCountRow, kSavedLabelColumn, kRotorTypeLabel, styles.header);
        sheet.WriteText(kCountRow, kRotorTypeColumn, rotor.rotorType);
    }

    for (int r = 0; r < sections; ++r)
        for (std::size_t c = 0; c < rotor.rows[r].size(); ++c)
            WriteTypedText(sheet, r + 1, static_cast<int>(c), rotor.rows[r][c], separator);

    const int supportHeaderRow = sections + 1;
    for (std::size_t c = 0; c < kSupportColumnNames.size(); ++c)
        sheet.WriteText(supportHeaderRow, static_cast<int>(c), kSupportColumnNames[c],
                        styles.header);
    sheet.SetRowHeight(supportHeaderRow, kHeaderRowHeight);
    for (std::size_t c = 0; c < rotor.support.size(); ++c)
        WriteTypedText(sheet, supportHeaderRow + 1, static_cast<int>(c), rotor.support[c],
                       separator);

    for (int r = 0; r < kAlignmentRows; ++r) {
        for (int c = 0; c < kAlignmentColumns; ++c) {
            const std::string& text = rotor.alignment[r][c];
            if (!text.empty()) WriteTypedText(sheet, r, kAlignmentLabelColumn + c, text, separator);
        }
    }

    sheet.SetColumnWidth(0, 0, 36);
    sheet.SetColumnWidth(1, static_cast<int>(kSupportColumnNames.size()) - 1, 13);
    sheet.SetColumnWidth(kRotorTypeColumn, kRotorTypeColumn, 22);
    sheet.FreezeTopRows(1);
}

// A row of per-support cells of the first sheet under its label, J0 from column U. Only a row
// with some text (for lifts, some lift other than zero) is written, so a book without them
// stays as it was.
void WriteSupportRow(XlsxSheet& sheet, int row, std::string_view label,
                     const std::vector<std::string>& texts, bool zeroIsNone,
                     std::string_view separator, const Styles& styles) {
    bool any = false;
    for (const std::string& text : texts) any = any || (!text.empty() && !(zeroIsNone && text == "0"));
    if (!any) return;
    sheet.WriteText(row, kLiftsLabelColumn, label, styles.header);
    const int count = std::min(static_cast<int>(texts.size()), kMaxLiftCells);
    for (int i = 0; i < count; ++i)
        WriteTypedText(sheet, row, kLiftsLabelColumn + 1 + i, texts[static_cast<std::size_t>(i)],
                       separator);
}

void WriteSupportRows(XlsxSheet& sheet, const ShaftLineWorkbook& book, std::string_view separator,
                      const Styles& styles) {
    WriteSupportRow(sheet, kLiftsRow, kLiftsLabel, book.lifts, true, separator, styles);
    for (int r = 0; r < kJournalRows; ++r)
        WriteSupportRow(sheet, kJournalFirstRow + r, kJournalLabels[r],
                        book.journals[static_cast<std::size_t>(r)], false, separator, styles);
}

}  // namespace

void WriteShaftLineBook(const std::string& path, const ShaftLineWorkbook& book,
                        std::string_view decimalSeparator) {
    XlsxBook xlsx(path);
    const std::size_t count = book.sheets.size();
    if (count == 0) xlsx.Refuse("в валопроводе нет ни одного ротора");
    if (count > static_cast<std::size_t>(kMaxRotors))
        xlsx.Refuse("роторов " + std::to_string(count) + ", а в книге их может быть не больше " +
                    std::to_string(kMaxRotors));
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t sections = book.sheets[k].rows.size();
        if (sections < 1 || sections > static_cast<std::size_t>(kMaxSections))
            xlsx.Refuse("у ротора " + std::to_string(k + 1) + " число участков " +
                        std::to_string(sections) + " вне допустимого диапазона 1.." +
                        std::to_string(kMaxSections));
    }

    const Styles styles{
        xlsx.AddFormat({.bold = true, .wrap = true, .alignLeft = false, .numberFormat = {}}),
        xlsx.AddFormat({.bold = true,
                        .wrap = false,
                        .alignLeft = true,
                        .numberFormat = "\"Координаты (участков: \"0\")\""}),
    };
    for (std::size_t k = 0; k < count; ++k) {
        XlsxSheet sheet = xlsx.AddSheet("Ротор " + std::to_string(k + 1));
        WriteRotor(sheet, book.sheets[k], decimalSeparator, styles);
        if (k == 0 && book.baseRotor >= 1 && static_cast<std::size_t>(book.baseRotor) <= count) {
            sheet.WriteText(kBaseRotorRow, kSavedLabelColumn, kBaseRotorLabel, styles.header);
            sheet.WriteNumber(kBaseRotorRow, kRotorTypeColumn, book.baseRotor);
        }
        if (k == 0) WriteSupportRows(sheet, book, decimalSeparator, styles);
    }
    xlsx.Close();
}

}  // namespace shaftline::io
