#include "string_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <utility>

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
        ApplyHeaderHint(column);
        for (int row = 1; row < RowCount(); ++row) setItem(row - 1, column, MakeItem(column, row));
        FitColumnToHeader(column);
    }
    writing_ = false;
}

void TStringGrid::SetHeaderHints(std::vector<QString> hints) {
    headerHints_ = std::move(hints);
    for (int column = 0; column < columnCount(); ++column) ApplyHeaderHint(column);
}

QString TStringGrid::HeaderHint(int column) const {
    if (column < 0 || column >= static_cast<int>(headerHints_.size())) return {};
    return headerHints_[static_cast<std::size_t>(column)];
}

void TStringGrid::ApplyHeaderHint(int column) {
    if (QTableWidgetItem* header = horizontalHeaderItem(column))
        header->setToolTip(HeaderHint(column));
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
        ApplyHeaderHint(column);
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
    RefreshFlags();
}

void TStringGrid::SetInputColumns(int columns) {
    inputColumns_ = columns;
    RefreshFlags();
}

void TStringGrid::RefreshFlags() {
    writing_ = true;
    for (int row = 1; row < RowCount(); ++row)
        for (int column = 0; column < columnCount(); ++column)
            if (QTableWidgetItem* cell = item(row - 1, column))
                cell->setFlags(CellFlags(column, row));
    writing_ = false;
}

bool TStringGrid::IsInputCell(int column, int row) const {
    return row >= 1 && row < RowCount() && column >= 0 && column < columnCount() &&
           (CellFlags(column, row) & Qt::ItemIsEditable);
}

void TStringGrid::InsertRows(int row, int count) {
    if (row < 1 || count <= 0) return;
    if (row < static_cast<int>(texts_.size()))
        texts_.insert(texts_.begin() + row, static_cast<std::size_t>(count), {});
    ShowTextsFrom(row);
}

void TStringGrid::RemoveRows(int row, int count) {
    if (row < 1 || count <= 0) return;
    if (row < static_cast<int>(texts_.size())) {
        const int end = std::min(row + count, static_cast<int>(texts_.size()));
        texts_.erase(texts_.begin() + row, texts_.begin() + end);
    }
    ShowTextsFrom(row);
}

std::vector<QString> TStringGrid::RowTexts(int row) const {
    if (row < 0 || row >= static_cast<int>(texts_.size())) return {};
    return texts_[static_cast<std::size_t>(row)];
}

void TStringGrid::SetRowTexts(int row, const std::vector<QString>& texts) {
    for (std::size_t column = 0; column < texts.size(); ++column)
        SetCell(static_cast<int>(column), row, texts[column]);
}

// The items in view show the kept texts of rows `row` and below again.
void TStringGrid::ShowTextsFrom(int row) {
    writing_ = true;
    for (int r = std::max(row, 1); r < RowCount(); ++r)
        for (int column = 0; column < columnCount(); ++column) {
            if (QTableWidgetItem* cell = item(r - 1, column))
                cell->setText(Cell(column, r));
            else
                setItem(r - 1, column, MakeItem(column, r));
        }
    writing_ = false;
}

QLineEdit* TStringGrid::OpenEditor() const {
    if (state() != QAbstractItemView::EditingState) return nullptr;
    return qobject_cast<QLineEdit*>(indexWidget(currentIndex()));
}

void TStringGrid::CommitOpenEditor() {
    QLineEdit* editor = OpenEditor();
    if (editor == nullptr) return;
    commitData(editor);
    QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TStringGrid::SelectBlock(int column, int row, int columns, int rows) {
    if (row < 1 || row >= RowCount() || column < 0 || column >= columnCount()) return;
    const QModelIndex first = model()->index(row - 1, column);
    const int lastRow = std::min(row + rows - 1, RowCount() - 1);
    const int lastColumn = std::min(column + columns - 1, columnCount() - 1);
    CommitOpenEditor();
    // Moving the current cell would open its editor, which would take the clipboard keys.
    const EditTriggers triggers = editTriggers();
    setEditTriggers(triggers & ~QAbstractItemView::CurrentChanged);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    setEditTriggers(triggers);
    selectionModel()->select(QItemSelection(first, model()->index(lastRow - 1, lastColumn)),
                             QItemSelectionModel::ClearAndSelect);
    scrollTo(first);
}

// Enter moves to the cell below (Shift+Enter above), as in a spreadsheet; in the cell editor the
// delegate commits the text first and closes the editor with SubmitModelCache.
void TStringGrid::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers other =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (enter && other == Qt::NoModifier && state() != QAbstractItemView::EditingState) {
        MoveCurrentRow(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

bool TStringGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!QTableWidget::edit(index, trigger, event)) return false;
    if (QWidget* editor = indexWidget(index)) editor->installEventFilter(this);
    return true;
}

// The delegate closes the editor with SubmitModelCache on Enter and also when the current cell
// moves to another row; only after Enter does the grid move on by itself.
bool TStringGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == indexWidget(currentIndex())) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            rowStepAfterEnter_ = key->modifiers() & Qt::ShiftModifier ? -1 : 1;
    }
    return QTableWidget::eventFilter(watched, event);
}

void TStringGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const int step = std::exchange(rowStepAfterEnter_, 0);
    QTableWidget::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache && step != 0) MoveCurrentRow(step);
}

void TStringGrid::MoveCurrentRow(int step) {
    const int row = currentRow() + step;
    if (currentRow() < 0 || row < 0 || row >= rowCount()) return;
    setCurrentCell(row, currentColumn());
}

void TStringGrid::StoreEdit(QTableWidgetItem* edited) {
    if (writing_ || edited == nullptr) return;
    const int column = edited->column();
    const int row = edited->row() + 1;
    const QString before = Cell(column, row);
    const QString after = edited->text();
    if (before == after) return;
    SetCell(column, row, after);
    emit CellTyped(column, row, before, after);
}

void TStringGrid::ShowRow(int row) {
    writing_ = true;
    for (int column = 0; column < columnCount(); ++column)
        setItem(row - 1, column, MakeItem(column, row));
    writing_ = false;
}

Qt::ItemFlags TStringGrid::CellFlags(int column, int row) const {
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
    if (lastEditableRow_ >= 0 && row > lastEditableRow_) flags &= ~Qt::ItemIsEditable;
    if (inputColumns_ >= 0 && column >= inputColumns_) flags &= ~Qt::ItemIsEditable;
    return flags;
}

QTableWidgetItem* TStringGrid::MakeItem(int column, int row) const {
    auto* cell = new QTableWidgetItem(Cell(column, row));
    cell->setFlags(CellFlags(column, row));
    return cell;
}
