#include "layout_book.h"

#include <algorithm>

#include "book_limits.h"
#include "shaft_line.h"

namespace shaftline::io {

LayoutSheet::LayoutSheet(std::string name, SheetKind kind, CellWindow window)
    : name_(std::move(name)),
      kind_(kind),
      window_(window),
      cells_(static_cast<std::size_t>(window.rows) * static_cast<std::size_t>(window.columns)) {}

bool LayoutSheet::Contains(int row, int column) const {
    return row >= 0 && row < window_.rows && column >= 0 && column < window_.columns;
}

const LayoutCell& LayoutSheet::At(int row, int column) const {
    if (!Contains(row, column)) {
        throw std::out_of_range("cell outside the layout window");
    }
    return cells_[static_cast<std::size_t>(row) * window_.columns + column];
}

LayoutCell* LayoutSheet::Cell(int row, int column) {
    if (!Contains(row, column)) return nullptr;
    LayoutCell& cell = cells_[static_cast<std::size_t>(row) * window_.columns + column];
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
    const auto columns = static_cast<std::size_t>(window_.columns);
    std::copy_n(cells_.begin() + static_cast<std::ptrdiff_t>(from * columns), columns,
                cells_.begin() + static_cast<std::ptrdiff_t>(to * columns));
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
