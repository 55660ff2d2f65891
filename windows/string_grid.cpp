#include "string_grid.h"

#include <QHeaderView>
#include <algorithm>

TStringGrid::TStringGrid(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(24);
    verticalHeader()->setMinimumSectionSize(24);
    horizontalHeader()->setDefaultSectionSize(64);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    horizontalHeader()->setFixedHeight(2 * horizontalHeader()->fontMetrics().lineSpacing() + 8);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    connect(this, &QTableWidget::itemChanged, this, &TStringGrid::StoreEdit);
}

void TStringGrid::SetRowCount(int rows) {
    const int oldTableRows = rowCount();
    const int tableRows = std::max(rows - 1, 0);
    setRowCount(tableRows);
    for (int row = oldTableRows + 1; row <= tableRows; ++row) ShowRow(row);
}

void TStringGrid::SetColCount(int columns) {
    const int oldColumns = columnCount();
    columns = std::max(columns, 0);
    setColumnCount(columns);
    writing_ = true;
    for (int column = oldColumns; column < columns; ++column) {
        setHorizontalHeaderItem(column, new QTableWidgetItem(Cell(column, 0)));
        for (int row = 1; row < RowCount(); ++row) setItem(row - 1, column, MakeItem(column, row));
        FitColumnToHeader(column);
    }
    writing_ = false;
}

// A column is made wide enough for its header text on at most two lines; the user may resize it.
void TStringGrid::FitColumnToHeader(int column) {
    const QString text = Cell(column, 0);
    const QFontMetrics metrics = horizontalHeader()->fontMetrics();
    int widest = 0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word + u' '));
    const int twoLines = metrics.horizontalAdvance(text) / 2 + widest / 2;
    const int needed = std::max(widest, twoLines) + 12;
    setColumnWidth(column, std::max(horizontalHeader()->defaultSectionSize(), needed));
}

QString TStringGrid::Cell(int column, int row) const {
    if (row < 0 || column < 0 || row >= static_cast<int>(texts_.size())) return {};
    const std::vector<QString>& cells = texts_[static_cast<std::size_t>(row)];
    if (column >= static_cast<int>(cells.size())) return {};
    return cells[static_cast<std::size_t>(column)];
}

void TStringGrid::SetCell(int column, int row, const QString& text) {
    if (row < 0 || column < 0) return;
    if (row >= static_cast<int>(texts_.size())) texts_.resize(static_cast<std::size_t>(row) + 1);
    std::vector<QString>& cells = texts_[static_cast<std::size_t>(row)];
    if (column >= static_cast<int>(cells.size()))
        cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = text;

    if (column >= columnCount() || row >= RowCount()) return;
    writing_ = true;
    if (row == 0) {
        QTableWidgetItem* header = horizontalHeaderItem(column);
        const bool changed = header == nullptr || header->text() != text;
        if (header != nullptr)
            header->setText(text);
        else
            setHorizontalHeaderItem(column, new QTableWidgetItem(text));
        if (changed) FitColumnToHeader(column);
    } else if (QTableWidgetItem* cell = item(row - 1, column)) {
        cell->setText(text);
    } else {
        setItem(row - 1, column, MakeItem(column, row));
    }
    writing_ = false;
}

void TStringGrid::SetLastEditableRow(int lastRow) {
    lastEditableRow_ = lastRow;
    writing_ = true;
    for (int row = 1; row < RowCount(); ++row)
        for (int column = 0; column < columnCount(); ++column)
            if (QTableWidgetItem* cell = item(row - 1, column)) cell->setFlags(CellFlags(row));
    writing_ = false;
}

void TStringGrid::StoreEdit(QTableWidgetItem* edited) {
    if (writing_ || edited == nullptr) return;
    SetCell(edited->column(), edited->row() + 1, edited->text());
}

void TStringGrid::ShowRow(int row) {
    writing_ = true;
    for (int column = 0; column < columnCount(); ++column)
        setItem(row - 1, column, MakeItem(column, row));
    writing_ = false;
}

Qt::ItemFlags TStringGrid::CellFlags(int row) const {
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
    if (lastEditableRow_ >= 0 && row > lastEditableRow_) flags &= ~Qt::ItemIsEditable;
    return flags;
}

QTableWidgetItem* TStringGrid::MakeItem(int column, int row) const {
    auto* cell = new QTableWidgetItem(Cell(column, row));
    cell->setFlags(CellFlags(row));
    return cell;
}
