#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "grid_commands.h"

class QKeyEvent;
class QLineEdit;
class QMenu;
class QWidget;
class TEntryHistory;
class TStringGrid;

/// What one grid of the data-entry window does as a spreadsheet would: copy, cut, paste and
/// empty the selection, insert and remove section rows, and the context menu with these and
/// undo/redo. Every change is a step of the window's history. Only input cells are written:
/// never the deflection column, never the support grid's rows below its data row.
class TGridActions : public QObject {
    Q_OBJECT
  public:
    /// `sectionCount` is the section-count edit whose count the grid's rows follow; nullptr for
    /// a grid whose rows are fixed (the support grid).
    TGridActions(TStringGrid* grid, TEntryHistory& history, QLineEdit* sectionCount);

    /// The actions of a grid, or nullptr for a grid that has none.
    static TGridActions* Of(const TStringGrid* grid);

    void Copy();
    void Cut();
    void Paste();
    /// Pastes a tab- or semicolon-separated block at the current cell. A block that runs past
    /// the last section row raises the section count; one that needs more than 50 sections,
    /// more rows than a fixed grid has or more columns than there are input columns from the
    /// current one is refused with a message, and nothing is pasted.
    void PasteText(const QString& text);
    void EmptySelection();
    /// Inserts an empty section row above the current one.
    void InsertRow();
    /// Removes the rows that hold selected cells; the last section is never removed.
    void RemoveRows();

    /// The context menu at the current state; the caller shows and deletes it.
    QMenu* BuildContextMenu(QWidget* parent);
    /// The clipboard and row keys typed in the grid or in its cell editor; true when taken.
    bool HandleKey(QKeyEvent* event);

  private:
    struct Block {
        int column = 0;
        int row = 0;
        int columns = 0;
        int rows = 0;
    };

    Block SelectedBlock() const;
    std::vector<CellChange> EmptiedCells() const;
    std::vector<int> SelectedRows() const;
    int SectionCount() const;
    int LastInputRow() const;
    int InputColumnCount() const;
    bool Refused(int rows, int columns, int column, int row);
    bool EditorKeepsKey(bool paste) const;
    void PushCells(const QString& text, std::vector<CellChange> changes);
    void ShowContextMenu(const QPoint& position);

    TStringGrid* grid_;
    TEntryHistory& history_;
    QLineEdit* sectionCount_;
};
