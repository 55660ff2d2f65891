#include "grid_commands.h"

#include <algorithm>

#include "string_grid.h"

TSetCellsCommand::TSetCellsCommand(TEntryHistory& history, const QString& text, TStringGrid* grid,
                                   std::vector<CellChange> changes, bool reveal, bool alreadyDone,
                                   QUndoCommand* parent)
    : TEntryCommand(history, text, reveal ? grid : nullptr, alreadyDone, parent),
      grid_(grid),
      changes_(std::move(changes)) {}

void TSetCellsCommand::Do() {
    for (const CellChange& change : changes_)
        grid_->SetCell(change.column, change.row, change.after);
}

void TSetCellsCommand::Undo() {
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change)
        grid_->SetCell(change->column, change->row, change->before);
}

void TSetCellsCommand::ShowChange() {
    if (changes_.empty()) return;
    int left = changes_.front().column, right = left;
    int top = changes_.front().row, bottom = top;
    for (const CellChange& change : changes_) {
        left = std::min(left, change.column);
        right = std::max(right, change.column);
        top = std::min(top, change.row);
        bottom = std::max(bottom, change.row);
    }
    grid_->SelectBlock(left, top, right - left + 1, bottom - top + 1);
}

TRowsCommand::TRowsCommand(TEntryHistory& history, TStringGrid* grid, bool insert,
                           std::vector<int> rows, QUndoCommand* parent)
    : TEntryCommand(history, {}, grid, false, parent),
      grid_(grid),
      insert_(insert),
      rows_(std::move(rows)) {
    if (!insert_)
        for (int row : rows_) texts_.push_back(grid_->RowTexts(row));
}

TRowsCommand* TRowsCommand::Insert(TEntryHistory& history, TStringGrid* grid, int row,
                                   QUndoCommand* parent) {
    return new TRowsCommand(history, grid, true, {row}, parent);
}

TRowsCommand* TRowsCommand::Remove(TEntryHistory& history, TStringGrid* grid, std::vector<int> rows,
                                   QUndoCommand* parent) {
    std::sort(rows.begin(), rows.end());
    return new TRowsCommand(history, grid, false, std::move(rows), parent);
}

void TRowsCommand::Do() {
    insert_ ? InsertRows() : RemoveRows();
}

void TRowsCommand::Undo() {
    insert_ ? RemoveRows() : InsertRows();
}

// Bottom up, so that the rows still to go keep their numbers.
void TRowsCommand::RemoveRows() {
    for (auto row = rows_.rbegin(); row != rows_.rend(); ++row) grid_->RemoveRows(*row, 1);
}

// Top down, each row back at its own number with the texts it had.
void TRowsCommand::InsertRows() {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        grid_->InsertRows(rows_[i], 1);
        if (i < texts_.size()) grid_->SetRowTexts(rows_[i], texts_[i]);
    }
}

void TRowsCommand::ShowChange() {
    const int row = std::min(rows_.front(), grid_->RowCount() - 1);
    grid_->SelectBlock(std::max(grid_->currentColumn(), 0), row, 1, 1);
}

TResizeGridCommand::TResizeGridCommand(TEntryHistory& history, TStringGrid* grid, int rows,
                                       int columns, QUndoCommand* parent)
    : TEntryCommand(history, {}, nullptr, false, parent),
      grid_(grid),
      rowsBefore_(grid->RowCount()),
      columnsBefore_(grid->ColCount()),
      rows_(rows),
      columns_(columns) {}

void TResizeGridCommand::Do() {
    grid_->SetRowCount(rows_);
    grid_->SetColCount(columns_);
}

void TResizeGridCommand::Undo() {
    grid_->SetRowCount(rowsBefore_);
    grid_->SetColCount(columnsBefore_);
}
