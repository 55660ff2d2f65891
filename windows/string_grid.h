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
class TStringGrid : public QTableWidget {
    Q_OBJECT
  public:
    explicit TStringGrid(QWidget* parent = nullptr);

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

    /// Only grid rows 1..lastRow can be typed into; -1 (the default) leaves every row editable.
    void SetLastEditableRow(int lastRow);

  private:
    void StoreEdit(QTableWidgetItem* item);
    void FitColumnToHeader(int column);
    void ShowRow(int row);
    Qt::ItemFlags CellFlags(int row) const;
    QTableWidgetItem* MakeItem(int column, int row) const;

    std::vector<std::vector<QString>> texts_;  // [grid row][column], grows on demand
    int lastEditableRow_ = -1;
    bool writing_ = false;
};
