#include "journal_cells.h"

#include <cmath>
#include <optional>
#include <string>

#include "layout_book.h"
#include "message_text.h"
#include "number_text.h"

namespace shaftline::io {

namespace {

std::string Place(int row, std::size_t support) {
    return "Лист 1, ячейка " +
           CellName(kJournalFirstRow + row, kLiftsLabelColumn + 1 + static_cast<int>(support)) +
           " (" + std::string(kJournalLabels[row]) + ", опора " + std::to_string(support + 1) +
           "): ";
}

// The number of one cell; none when the cell is empty.
std::optional<double> CellNumber(const ShaftLineWorkbook& book, int row, std::size_t support,
                                 std::string_view separator) {
    const std::vector<std::string>& texts = book.journals[static_cast<std::size_t>(row)];
    if (support >= texts.size() || texts[support].empty()) return std::nullopt;
    const std::string& text = texts[support];
    double value = 0;
    try {
        value = ParseReal(text, separator);
    } catch (const ConversionError&) {
        throw JournalCellError(Place(row, support) + "«" + QuotedForMessage(text) +
                               "» не является числом");
    }
    if (!std::isfinite(value) || value <= 0)
        throw JournalCellError(Place(row, support) + "нужно число больше 0, а стоит " + text);
    return value;
}

}  // namespace

std::vector<JournalSize> JournalsFromBook(const ShaftLineWorkbook& book, std::string_view separator,
                                          int supportCount) {
    std::size_t cells = 0;
    for (const std::vector<std::string>& row : book.journals) cells = std::max(cells, row.size());
    std::vector<JournalSize> journals;
    for (std::size_t j = 0; j < cells; ++j) {
        const std::optional<double> diameter = CellNumber(book, kJournalDiameterRow, j, separator);
        const std::optional<double> length = CellNumber(book, kJournalLengthRow, j, separator);
        const std::optional<double> pressure = CellNumber(book, kJournalPressureRow, j, separator);
        if (!diameter && !length && !pressure) continue;
        const int missing = !diameter ? kJournalDiameterRow : kJournalLengthRow;
        if (!diameter || !length)
            throw JournalCellError(Place(missing, j) +
                                   "пусто, а у цапфы опоры нужны и диаметр, и длина");
        if (static_cast<int>(j) >= supportCount)
            throw JournalCellError(Place(kJournalDiameterRow, j) + "в валопроводе только " +
                                   std::to_string(supportCount) + " опор");
        journals.push_back({static_cast<int>(j), *diameter, *length, pressure});
    }
    return journals;
}

}  // namespace shaftline::io
