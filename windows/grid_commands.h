#pragma once

#include <QString>
#include <vector>

#include "entry_history.h"

class TStringGrid;

/// One cell's text before and after a step; row is the grid row (row 0 is the header).
struct CellChange {
    int column;
    int row;
    QString before;
    QString after;
};

/// Texts of grid cells: a typed cell, a pasted block, a cut or emptied selection, the cells of
/// a book.
class TSetCellsCommand : public TEntryCommand {
  public:
    TSetCellsCommand(TEntryHistory& history, const QString& text, TStringGrid* grid,
                     std::vector<CellChange> changes, bool reveal, bool alreadyDone,
                     QUndoCommand* parent = nullptr);

  protected:
    void Do() override;
    void Undo() override;
    void ShowChange() override;

  private:
    TStringGrid* grid_;
    std::vector<CellChange> changes_;
};

/// An empty section row inserted at a grid row, or a set of rows removed with their texts; the
/// rows below move. The row count follows from the section count, a step of its own.
class TRowsCommand : public TEntryCommand {
  public:
    /// Inserts one empty row at `row`.
    static TRowsCommand* Insert(TEntryHistory& history, TStringGrid* grid, int row,
                                QUndoCommand* parent);
    /// Removes `rows` (ascending grid rows).
    static TRowsCommand* Remove(TEntryHistory& history, TStringGrid* grid, std::vector<int> rows,
                                QUndoCommand* parent);

  protected:
    void Do() override;
    void Undo() override;
    void ShowChange() override;

  private:
    TRowsCommand(TEntryHistory& history, TStringGrid* grid, bool insert, std::vector<int> rows,
                 QUndoCommand* parent);
    void InsertRows();
    void RemoveRows();

    TStringGrid* grid_;
    bool insert_;
    std::vector<int> rows_;                    // ascending
    std::vector<std::vector<QString>> texts_;  // of the removed rows
};

/// The row and column counts of a grid; the texts stay.
class TResizeGridCommand : public TEntryCommand {
  public:
    TResizeGridCommand(TEntryHistory& history, TStringGrid* grid, int rows, int columns,
                       QUndoCommand* parent);

  protected:
    void Do() override;
    void Undo() override;

  private:
    TStringGrid* grid_;
    int rowsBefore_;
    int columnsBefore_;
    int rows_;
    int columns_;
};
