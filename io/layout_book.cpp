#include "layout_book.h"

#include <algorithm>
#include <limits>

#include "book_limits.h"
#include "shaft_line.h"

namespace shaftline::io {

LayoutSheet::LayoutSheet(std::string name, SheetKind kind, CellWindow window)
    : name_(std::move(name)),
      kind_(kind),
      window_(window),
      slots_(static_cast<std::size_t>(window.rows) * static_cast<std::size_t>(window.columns)) {
    if (slots_.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw std::length_error("layout window larger than its cell slots can number");
    }
}

bool LayoutSheet::Contains(int row, int column) const {
    return row >= 0 && row < window_.rows && column >= 0 && column < window_.columns;
}

const LayoutCell& LayoutSheet::At(int row, int column) const {
    static const LayoutCell kEmpty;
    if (!Contains(row, column)) {
        throw std::out_of_range("cell outside the layout window");
    }
    const std::uint16_t slot = slots_[Position(row, column)];
    return slot == 0 ? kEmpty : cells_[slot - 1U];
}

LayoutCell* LayoutSheet::Cell(int row, int column) {
    if (!Contains(row, column)) return nullptr;
    std::uint16_t& slot = slots_[Position(row, column)];
    if (slot == 0) {
        cells_.emplace_back();
        slot = static_cast<std::uint16_t>(cells_.size());
        return &cells_.back();
    }
    LayoutCell& cell = cells_[slot - 1U];
    cell = LayoutCell{};
    return &cell;
}

void LayoutSheet::SetNumber(int row, int column, double value) {
    if (LayoutCell* cell = Cell(row, column)) {
        cell->kind = CellKind::Number;
        cell->number = value;
    }
}

void LayoutSheet::SetText(int row, int column, std::string text) {
    if (LayoutCell* cell = Cell(row, column)) {
        cell->kind = CellKind::Text;
        cell->text = std::move(text);
    }
}

void LayoutSheet::SetSharedText(int row, int column, std::uint32_t index) {
    if (LayoutCell* cell = Cell(row, column)) {
        cell->kind = CellKind::Text;
        cell->sharedString = index;
    }
}

void LayoutSheet::SetBoolean(int row, int column, bool value) {
    if (LayoutCell* cell = Cell(row, column)) {
        cell->kind = CellKind::Boolean;
        cell->number = value ? 1 : 0;
    }
}

void LayoutSheet::SetError(int row, int column, std::string text) {
    if (LayoutCell* cell = Cell(row, column)) {
        cell->kind = CellKind::Error;
        cell->text = std::move(text);
    }
}

void LayoutSheet::SetEmpty(int row, int column) {
    Cell(row, column);
}

void LayoutSheet::CopyRow(int from, int to) {
    if (!Contains(from, 0) || !Contains(to, 0)) return;
    for (int c = 0; c < window_.columns; ++c) {
        const std::uint16_t source = slots_[Position(from, c)];
        if (source == 0 && slots_[Position(to, c)] == 0) continue;
        // A copy of the source, for Cell() may move the cells it refers to.
        LayoutCell copy = source == 0 ? LayoutCell{} : cells_[source - 1U];
        *Cell(to, c) = std::move(copy);
    }
}

std::size_t LayoutSheet::RowTextBytes(int row) const {
    if (!Contains(row, 0)) return 0;
    std::size_t bytes = 0;
    for (int c = 0; c < window_.columns; ++c) bytes += At(row, c).text.size();
    return bytes;
}

const std::string& LayoutBook::Text(const LayoutCell& cell) const {
    return cell.sharedString ? sharedStrings[*cell.sharedString] : cell.text;
}

void CellCounter::Count(std::uint64_t cells) {
    cells_ += cells;
    if (cells_ > kMaxCells) {
        throw BookFormatError("в книге больше " + std::to_string(kMaxCells) +
                              " заполненных ячеек; для валопровода их нужно намного меньше");
    }
}

void TextBudget::Count(std::size_t bytes) {
    bytes_ += bytes;
    if (bytes_ > kMaxBookTextBytes) {
        throw BookFormatError("в ячейках книги больше " + std::to_string(kMaxBookTextBytes >> 20) +
                              " МБ текста; для валопровода его нужно намного меньше");
    }
}

void SharedStringLimit::Add(std::vector<std::string>& table, std::string text) {
    if (table.size() >= kMaxSharedStrings) {
        throw BookFormatError("в общей таблице строк книги больше " +
                              std::to_string(kMaxSharedStrings) + " строк");
    }
    bytes_ += text.size();
    if (bytes_ > kMaxSharedStringBytes) {
        throw BookFormatError("в общей таблице строк книги больше " +
                              std::to_string(kMaxSharedStringBytes >> 20) + " МБ текста");
    }
    table.push_back(std::move(text));
}

void CheckSheetCount(std::size_t count) {
    if (count == 0) {
        throw SheetCountError("в книге нет ни одного листа");
    }
    if (count > static_cast<std::size_t>(kMaxRotors)) {
        throw SheetCountError("в книге " + std::to_string(count) +
                              " листов, а роторов в валопроводе может быть не больше " +
                              std::to_string(kMaxRotors));
    }
}

std::string CellName(int row, int column) {
    std::string letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    }
    return letters + std::to_string(row + 1);
}

}  // namespace shaftline::io
