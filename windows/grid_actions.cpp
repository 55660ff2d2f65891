#include "grid_actions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>
#include <algorithm>
#include <memory>

#include "entry_history.h"
#include "message_boxes.h"
#include "number_locale.h"
#include "pasted_block.h"
#include "rotor.h"
#include "string_grid.h"

namespace {

QString SizeOfBlock(int rows, int columns) {
    return QStringLiteral("Вставляемый блок (строк: %1, столбцов: %2) не помещается: ")
        .arg(rows)
        .arg(columns);
}

const QString kNothingPasted = QStringLiteral(" Ничего не вставлено.");

QString ClipboardText() {
    return QGuiApplication::clipboard()->text();
}

}  // namespace

TGridActions::TGridActions(TStringGrid* grid, TEntryHistory& history, QLineEdit* sectionCount)
    : QObject(grid), grid_(grid), history_(history), sectionCount_(sectionCount) {
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this, &TGridActions::ShowContextMenu);
    connect(grid, &TStringGrid::CellTyped, this,
            [this](int column, int row, const QString& before, const QString& after) {
                history_.Push(new TSetCellsCommand(history_, QStringLiteral("ввод в ячейку"), grid_,
                                                   {{column, row, before, after}}, true, true));
            });
}

TGridActions* TGridActions::Of(const TStringGrid* grid) {
    return grid != nullptr ? grid->findChild<TGridActions*>(QString(), Qt::FindDirectChildrenOnly)
                           : nullptr;
}

int TGridActions::SectionCount() const {
    return grid_->RowCount() - 1;
}

int TGridActions::LastInputRow() const {
    const int lastEditable = grid_->LastEditableRow();
    return lastEditable >= 0 ? std::min(lastEditable, SectionCount()) : SectionCount();
}

int TGridActions::InputColumnCount() const {
    const int input = grid_->InputColumns();
    return input >= 0 ? std::min(input, grid_->ColCount()) : grid_->ColCount();
}

// The bounding block of the selected cells, or the current cell when nothing is selected.
TGridActions::Block TGridActions::SelectedBlock() const {
    QModelIndexList selected = grid_->selectionModel()->selectedIndexes();
    if (selected.isEmpty() && grid_->currentIndex().isValid()) selected << grid_->currentIndex();
    if (selected.isEmpty()) return {};
    int left = selected.front().column(), right = left;
    int top = selected.front().row(), bottom = top;
    for (const QModelIndex& index : selected) {
        left = std::min(left, index.column());
        right = std::max(right, index.column());
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
    }
    return {left, top + 1, right - left + 1, bottom - top + 1};
}

// Cells inside the block that are not selected go to the clipboard empty, so that it holds
// exactly what Cut empties.
void TGridActions::Copy() {
    grid_->CommitOpenEditor();
    const Block block = SelectedBlock();
    if (block.rows == 0) return;
    const bool onlyCurrent = !grid_->selectionModel()->hasSelection();
    shaftline::TextBlock copied;
    for (int row = block.row; row < block.row + block.rows; ++row) {
        std::vector<std::string>& cells = copied.rows.emplace_back();
        for (int column = block.column; column < block.column + block.columns; ++column) {
            const bool selected = onlyCurrent || grid_->selectionModel()->isSelected(
                                                     grid_->model()->index(row - 1, column));
            cells.push_back(selected ? grid_->Cell(column, row).toStdString() : std::string());
        }
    }
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(shaftline::FormatCopiedBlock(copied)));
}

std::vector<CellChange> TGridActions::EmptiedCells() const {
    QModelIndexList selected = grid_->selectionModel()->selectedIndexes();
    if (selected.isEmpty() && grid_->currentIndex().isValid()) selected << grid_->currentIndex();
    std::vector<CellChange> changes;
    for (const QModelIndex& index : selected) {
        const int column = index.column();
        const int row = index.row() + 1;
        const QString text = grid_->Cell(column, row);
        if (grid_->IsInputCell(column, row) && !text.isEmpty())
            changes.push_back({column, row, text, QString()});
    }
    return changes;
}

void TGridActions::Cut() {
    Copy();
    PushCells(QStringLiteral("вырезание"), EmptiedCells());
}

void TGridActions::EmptySelection() {
    grid_->CommitOpenEditor();
    PushCells(QStringLiteral("очистка"), EmptiedCells());
}

void TGridActions::PushCells(const QString& text, std::vector<CellChange> changes) {
    if (changes.empty()) return;
    history_.Push(new TSetCellsCommand(history_, text, grid_, std::move(changes), true, false));
}

void TGridActions::Paste() {
    PasteText(ClipboardText());
}

void TGridActions::PasteText(const QString& text) {
    grid_->CommitOpenEditor();
    const shaftline::TextBlock block = shaftline::ParsePastedBlock(text.toStdString());
    if (block.rows.empty()) return;
    const int column = std::max(grid_->currentColumn(), 0);
    int row = grid_->currentRow() >= 0 ? grid_->currentRow() + 1 : 1;
    if (sectionCount_ == nullptr) row = std::clamp(row, 1, std::max(LastInputRow(), 1));
    if (Refused(block.RowCount(), block.ColumnCount(), column, row)) return;

    const std::string decimal = DecimalSeparator();
    const std::string group = GroupSeparator();
    std::vector<CellChange> changes;
    for (int r = 0; r < block.RowCount(); ++r)
        for (int c = 0; c < block.ColumnCount(); ++c) {
            const std::string& cell =
                block.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            changes.push_back(
                {column + c, row + r, grid_->Cell(column + c, row + r),
                 QString::fromStdString(shaftline::WithDecimalSeparator(cell, decimal, group))});
        }

    auto* step = new QUndoCommand(QStringLiteral("вставка"));
    const int lastRow = row + block.RowCount() - 1;
    if (sectionCount_ != nullptr && lastRow > SectionCount())
        new TSetTextCommand(history_, {}, sectionCount_, sectionCount_->text(),
                            QString::number(lastRow), -1, nullptr, false, step);
    new TSetCellsCommand(history_, {}, grid_, std::move(changes), true, false, step);
    history_.Push(step);
}

bool TGridActions::Refused(int rows, int columns, int column, int row) {
    QString reason;
    const int lastRow = row + rows - 1;
    if (column + columns > InputColumnCount()) {
        reason = QStringLiteral("начиная со столбца \"%1\" в таблице столбцов для ввода: %2.")
                     .arg(grid_->Cell(column, 0))
                     .arg(std::max(InputColumnCount() - column, 0));
    } else if (sectionCount_ != nullptr && lastRow > shaftline::kMaxSections) {
        reason =
            QStringLiteral("начиная с участка %1 нужно участков: %2, а у ротора их не более %3.")
                .arg(row)
                .arg(lastRow)
                .arg(shaftline::kMaxSections);
    } else if (sectionCount_ == nullptr && lastRow > LastInputRow()) {
        reason = QStringLiteral("в таблице строк для ввода: %1.").arg(LastInputRow() - row + 1);
    } else {
        return false;
    }
    ShowRefusal(grid_->window(), SizeOfBlock(rows, columns) + reason + kNothingPasted);
    return true;
}

std::vector<int> TGridActions::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes())
        rows.push_back(index.row() + 1);
    if (rows.empty() && grid_->currentRow() >= 0) rows.push_back(grid_->currentRow() + 1);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [this](int row) { return row < 1 || row > SectionCount(); });
    return rows;
}

void TGridActions::InsertRow() {
    if (sectionCount_ == nullptr) return;
    grid_->CommitOpenEditor();
    const int count = SectionCount();
    if (count >= shaftline::kMaxSections) {
        ShowRefusal(
            grid_->window(),
            QStringLiteral("У ротора не может быть больше %1 участков: участок не вставлен.")
                .arg(shaftline::kMaxSections));
        return;
    }
    const int row = grid_->currentRow() >= 0 ? grid_->currentRow() + 1 : 1;
    auto* step = new QUndoCommand(QStringLiteral("вставка участка"));
    TRowsCommand::Insert(history_, grid_, row, step);
    new TSetTextCommand(history_, {}, sectionCount_, sectionCount_->text(),
                        QString::number(count + 1), -1, nullptr, false, step);
    history_.Push(step);
}

void TGridActions::RemoveRows() {
    if (sectionCount_ == nullptr) return;
    grid_->CommitOpenEditor();
    std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    const int count = SectionCount();
    if (static_cast<int>(rows.size()) >= count) {
        ShowRefusal(grid_->window(),
                    QStringLiteral("У ротора должен остаться хотя бы один участок: удалить все "
                                   "участки нельзя."));
        return;
    }
    const int left = count - static_cast<int>(rows.size());
    auto* step = new QUndoCommand(QStringLiteral("удаление участков"));
    TRowsCommand::Remove(history_, grid_, std::move(rows), step);
    new TSetTextCommand(history_, {}, sectionCount_, sectionCount_->text(), QString::number(left),
                        -1, nullptr, false, step);
    history_.Push(step);
}

// An open cell editor keeps a clipboard key while the user is changing its text; otherwise,
// and whenever more than one cell is selected or the clipboard holds a block, the grid acts.
bool TGridActions::EditorKeepsKey(bool paste) const {
    const QLineEdit* editor = grid_->OpenEditor();
    if (editor == nullptr || grid_->selectionModel()->selectedIndexes().size() > 1) return false;
    if (paste) {
        const shaftline::TextBlock block =
            shaftline::ParsePastedBlock(ClipboardText().toStdString());
        return block.RowCount() <= 1 && block.ColumnCount() <= 1 && editor->isModified();
    }
    if (editor->isModified()) return true;
    return editor->hasSelectedText() && editor->selectedText() != editor->text();
}

bool TGridActions::HandleKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool control = (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
    if (sectionCount_ != nullptr && control) {
        if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal) {
            InsertRow();
            return true;
        }
        if (event->key() == Qt::Key_Minus) {
            RemoveRows();
            return true;
        }
    }
    void (TGridActions::*action)() = nullptr;
    bool paste = false;
    if (event->matches(QKeySequence::Copy)) {
        action = &TGridActions::Copy;
    } else if (event->matches(QKeySequence::Cut)) {
        action = &TGridActions::Cut;
    } else if (event->matches(QKeySequence::Paste)) {
        action = &TGridActions::Paste;
        paste = true;
    } else if (event->key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        action = &TGridActions::EmptySelection;
    }
    if (action == nullptr || EditorKeepsKey(paste)) return false;
    (this->*action)();
    return true;
}

QMenu* TGridActions::BuildContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    const auto add = [this, menu](const char* name, const QString& text, const QKeySequence& keys,
                                  bool enabled, auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    const bool canPaste = !ClipboardText().isEmpty();
    add("ActionCut", QStringLiteral("Вырезать"), QKeySequence::Cut, true, &TGridActions::Cut);
    add("ActionCopy", QStringLiteral("Копировать"), QKeySequence::Copy, true, &TGridActions::Copy);
    add("ActionPaste", QStringLiteral("Вставить"), QKeySequence::Paste, canPaste,
        &TGridActions::Paste);
    add("ActionEmpty", QStringLiteral("Очистить"), QKeySequence(Qt::Key_Delete), true,
        &TGridActions::EmptySelection);
    if (sectionCount_ != nullptr) {
        menu->addSeparator();
        add("ActionInsertRow", QStringLiteral("Вставить участок выше"),
            QKeySequence(Qt::CTRL | Qt::Key_Plus), SectionCount() < shaftline::kMaxSections,
            &TGridActions::InsertRow);
        add("ActionRemoveRows", QStringLiteral("Удалить участки"),
            QKeySequence(Qt::CTRL | Qt::Key_Minus), SectionCount() > 1, &TGridActions::RemoveRows);
    }
    menu->addSeparator();
    const QUndoStack* stack = history_.Stack();
    const auto withStep = [](const QString& verb, const QString& step) {
        return step.isEmpty() ? verb : verb + QStringLiteral(": ") + step;
    };
    add("ActionUndo", withStep(QStringLiteral("Отменить"), stack->undoText()),
        QKeySequence(Qt::CTRL | Qt::Key_Z), stack->canUndo(), [this] {
            grid_->CommitOpenEditor();
            history_.Undo();
        });
    add("ActionRedo", withStep(QStringLiteral("Повторить"), stack->redoText()),
        QKeySequence(Qt::CTRL | Qt::Key_Y), stack->canRedo(), [this] {
            grid_->CommitOpenEditor();
            history_.Redo();
        });
    return menu;
}

void TGridActions::ShowContextMenu(const QPoint& position) {
    const std::unique_ptr<QMenu> menu(BuildContextMenu(grid_));
    menu->exec(grid_->viewport()->mapToGlobal(position));
}
