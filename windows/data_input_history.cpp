// The undo history of the data-entry window: the recorders of typed counts, types and cells,
// the grids' clipboard and row actions, and the undo and redo keys.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QUndoStack>

#include "data_input_form.h"
#include "entry_history.h"
#include "grid_actions.h"
#include "string_grid.h"
#include "up_down.h"

namespace {

bool IsRedoKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    return event->matches(QKeySequence::Redo) ||
           (modifiers == Qt::ControlModifier && event->key() == Qt::Key_Y) ||
           (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && event->key() == Qt::Key_Z);
}

bool IsUndoKey(const QKeyEvent* event) {
    return event->matches(QKeySequence::Undo) ||
           (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_Z);
}

TStringGrid* GridAround(QObject* object) {
    for (; object != nullptr; object = object->parent())
        if (auto* grid = qobject_cast<TStringGrid*>(object)) return grid;
    return nullptr;
}

void RecordSpinnerSteps(const QWidget* parent, const QString& spinnerName,
                        TTextRecorder* recorder) {
    if (auto* spinner = parent->findChild<TUpDown*>(spinnerName))
        QObject::connect(spinner, &TUpDown::Stepping, recorder, &TTextRecorder::MarkSpinnerStep);
}

}  // namespace

QUndoStack* TFormDataInput::UndoStack() const {
    return history_->Stack();
}

void TFormDataInput::InstallHistory() {
    history_ = new TEntryHistory(this);
    history_->reveal = [this](QWidget* control) { RevealControl(control); };
    RecordSpinnerSteps(
        this, QStringLiteral("UpDownKolUchast"),
        new TTextRecorder(editKolRotor_, *history_, QStringLiteral("число роторов"), nullptr));
    for (int rotor = 1; rotor <= shaftline::kMaxRotors; ++rotor) {
        QLineEdit* sections = EditUchast(rotor);
        auto* recorder =
            new TTextRecorder(sections, *history_, QStringLiteral("число участков"), sections);
        RecordSpinnerSteps(Page(rotor), QStringLiteral("UpDownUchast%1").arg(rotor), recorder);
        if (QComboBox* type = ComboBox(rotor))
            new TTextRecorder(type->lineEdit(), *history_, QStringLiteral("тип ротора"), type);
        new TGridActions(GridInitParams(rotor), *history_, sections);
        new TGridActions(AddParams(rotor), *history_, nullptr);
    }
}

// The grids take their clipboard and row keys; the undo and redo keys work on the window's
// history from every control, except in a cell editor whose own typing can still be undone.
bool TFormDataInput::EditingKeyPress(QObject* target, QKeyEvent* event) {
    TStringGrid* grid = GridAround(target);
    if (TGridActions* actions = TGridActions::Of(grid); actions && actions->HandleKey(event))
        return true;
    const bool redo = IsRedoKey(event);
    if (!redo && !IsUndoKey(event)) return false;
    if (grid != nullptr) {
        if (const QLineEdit* editor = grid->OpenEditor())
            if (redo ? editor->isRedoAvailable() : editor->isUndoAvailable()) return false;
        grid->CommitOpenEditor();
    }
    redo ? history_->Redo() : history_->Undo();
    return true;
}

// Shows the page of a changed control, and the grid among the page's two that it is.
void TFormDataInput::RevealControl(QWidget* control) {
    int index = -1;
    for (QWidget* widget = control; widget != nullptr && index < 0; widget = widget->parentWidget())
        index = pageControl1_->indexOf(widget);
    if (index < 0 || !pageControl1_->isTabVisible(index)) return;
    pageControl1_->setCurrentIndex(index);
    const int rotor = index + 1;
    if (auto* grid = qobject_cast<TStringGrid*>(control); grid != nullptr && grid->isHidden()) {
        const bool supportGrid = grid == AddParams(rotor);
        ShowGrid(rotor, supportGrid);
        radioGroup1_->button(supportGrid ? 1 : 0)->setChecked(true);
    }
}
