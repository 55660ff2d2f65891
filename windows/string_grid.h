#pragma once

#include <QString>
#include <QTableWidget>
#include <array>
#include <string_view>
#include <vector>

/// A text grid with one fixed header row: row 0 is the table's horizontal header and grid row r
/// (r >= 1) is table row r - 1. Every cell keeps its text independently of the row and column
/// counts, so rows or columns cut off by a lower count show their old text again when the count
/// grows back (a bare QTableWidget deletes the items it drops).
class QLineEdit;

class TStringGrid : public QTableWidget {
    Q_OBJECT
  public:
    explicit TStringGrid(QWidget* parent = nullptr);
    using QTableWidget::edit;

    /// Rows including the header row: one more than the table's own row count.
    int RowCount() const { return rowCount() + 1; }
    void SetRowCount(int rows);
    int ColCount() const { return columnCount(); }
    void SetColCount(int columns);

    /// Text of cell (column, row); row 0 is the header. Cells outside the counts keep their text.
    QString Cell(int column, int row) const;
    void SetCell(int column, int row, const QString& text);

    /// Writes the headers into row 0 and sets the column count to their number, which takes any
    /// column beyond them out of view (its cells keep their text).
    template <std::size_t N>
    void SetHeaderRow(const std::array<std::string_view, N>& headers) {
        for (std::size_t column = 0; column < N; ++column)
            SetCell(static_cast<int>(column), 0,
                    QString::fromUtf8(headers[column].data(),
                                      static_cast<qsizetype>(headers[column].size())));
        SetColCount(static_cast<int>(N));
    }

    /// Tooltips of the header cells, in column order: what the column holds, its unit and the
    /// values it takes. They stay with their columns whatever the header texts and counts do.
    void SetHeaderHints(std::vector<QString> hints);
    QString HeaderHint(int column) const;

    /// Only grid rows 1..lastRow can be typed into; -1 (the default) leaves every row editable.
    void SetLastEditableRow(int lastRow);
    int LastEditableRow() const { return lastEditableRow_; }
    /// Only columns 0..columns - 1 can be typed into; -1 (the default) leaves every column
    /// editable.
    void SetInputColumns(int columns);
    int InputColumns() const { return inputColumns_; }
    /// True when cell (column, row) is in view and takes typing.
    bool IsInputCell(int column, int row) const;

    /// Moves the texts of grid rows row and below down by `count` rows, leaving empty rows at
    /// `row`; texts of rows beyond the row count move with them. The row count stays.
    void InsertRows(int row, int count);
    /// Drops the texts of grid rows row..row + count - 1; the rows below move up. The row count
    /// stays.
    void RemoveRows(int row, int count);
    /// Every text kept for grid row `row`, in column order, also of columns out of view.
    std::vector<QString> RowTexts(int row) const;
    void SetRowTexts(int row, const std::vector<QString>& texts);

    /// The cell editor while one is open, otherwise nullptr.
    QLineEdit* OpenEditor() const;
    /// Stores the text of an open cell editor into its cell and closes the editor.
    void CommitOpenEditor();
    /// Selects the block of grid cells from (column, row), `columns` wide and `rows` high, with
    /// its first cell as the current cell; no cell editor is opened.
    void SelectBlock(int column, int row, int columns, int rows);

  signals:
    /// The user has typed `after` into cell (column, row), which held `before`; the grid
    /// already keeps the new text.
    void CellTyped(int column, int row, const QString& before, const QString& after);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void StoreEdit(QTableWidgetItem* item);
    void MoveCurrentRow(int step);
    void ShowTextsFrom(int row);
    void RefreshFlags();
    void FitColumnToHeader(int column);
    void ApplyHeaderHint(int column);
    void ShowRow(int row);
    Qt::ItemFlags CellFlags(int column, int row) const;
    QTableWidgetItem* MakeItem(int column, int row) const;

    std::vector<QString> headerHints_;
    std::vector<std::vector<QString>> texts_;  // [grid row][column], grows on demand
    int lastEditableRow_ = -1;
    int inputColumns_ = -1;
    int rowStepAfterEnter_ = 0;  ///< set by Enter in the cell editor until the editor closes
    bool writing_ = false;
};
