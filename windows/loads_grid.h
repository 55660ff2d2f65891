#pragma once

#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>

/// A read-only table of numbers shown rounded, each cell keeping its value in full precision.
/// Ctrl+C copies the whole table, headers included, as tab-separated text with every number in
/// full precision and the locale's decimal separator.
class TLoadsGrid : public QTableWidget {
    Q_OBJECT
  public:
    explicit TLoadsGrid(QWidget* parent = nullptr);

    /// Writes a number rounded to `decimals` in the locale's format with group separators.
    QTableWidgetItem* SetNumber(int row, int column, double value, int decimals);
    QTableWidgetItem* SetText(int row, int column, const QString& text);
    /// Columns as wide as their values, or as the longest word of their caption or half of it
    /// if that is wider: the captions wrap into about two lines.
    void FitColumns();
    /// The table as Ctrl+C copies it: the header and every cell, numbers in full precision, as
    /// tab-separated lines a spreadsheet pastes (cells quoted where they must be).
    QString CopyText() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTableWidgetItem* Item(int row, int column);
};

/// The editor of a column of typed numbers: what the user typed goes to `commit` (row, text)
/// instead of into the cell; the handler writes the cell itself when it accepts the text.
class TCommitDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    TCommitDelegate(std::function<void(int, const QString&)> commit, QObject* parent)
        : QStyledItemDelegate(parent), commit_(std::move(commit)) {}

    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  private:
    std::function<void(int, const QString&)> commit_;
};
