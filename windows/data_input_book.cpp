// The data-entry window as a book: its data as the book writer takes them, the rotor types a
// book carries, the modified mark, the "Открыть книгу" button and books dropped on the window.
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTabWidget>

#include "data_input_form.h"
#include "rotor_grid_columns.h"
#include "shaft_line_book.h"
#include "shaft_line_workbook.h"
#include "string_grid.h"

void TFormDataInput::SpeedButton3Click() {
    book_->AskAndOpen();
}

void TFormDataInput::RestoreRotorTypes(const shaftline::io::ShaftLineWorkbook& book) {
    for (std::size_t k = 0; k < book.sheets.size(); ++k) {
        const std::string& type = book.sheets[k].rotorType;
        QComboBox* selector = ComboBox(static_cast<int>(k) + 1);
        if (type.empty() || selector == nullptr) continue;
        const QString text = QString::fromStdString(type);
        const int item = selector->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (item >= 0) {
            selector->setCurrentIndex(item);
        } else {
            selector->setEditText(text);
        }
    }
}

// The rotors of the shown tabs, which the count last set; a section grid's rows are those it
// shows. The deflection column is a result and stays out of the book.
shaftline::io::ShaftLineWorkbook TFormDataInput::BookFromWindow() const {
    shaftline::io::ShaftLineWorkbook book;
    for (int rotor = 1; rotor <= pageControl1_->count(); ++rotor) {
        if (!pageControl1_->isTabVisible(rotor - 1)) break;
        const TStringGrid* grid = GridInitParams(rotor);
        const TStringGrid* support = AddParams(rotor);
        if (grid == nullptr || support == nullptr) break;
        shaftline::io::RotorSheet& sheet = book.sheets.emplace_back();
        sheet.sectionCount = grid->RowCount() - 1;
        sheet.rows.resize(static_cast<std::size_t>(sheet.sectionCount));
        for (int row = 1; row <= sheet.sectionCount; ++row)
            for (std::size_t column = 0; column < sheet.rows[row - 1].size(); ++column)
                sheet.rows[row - 1][column] =
                    grid->Cell(static_cast<int>(column), row).toStdString();
        for (std::size_t column = 0; column < sheet.support.size(); ++column)
            sheet.support[column] =
                support->Cell(static_cast<int>(column), kSupportDataRow).toStdString();
        if (const QComboBox* type = ComboBox(rotor))
            sheet.rotorType = type->currentText().toStdString();
    }
    return book;
}

void TFormDataInput::SetUnmodified() {
    if (!modified_) return;
    modified_ = false;
    emit modifiedChanged(false);
}

void TFormDataInput::MarkModified() {
    if (modified_) return;
    modified_ = true;
    emit modifiedChanged(true);
}

// Every control that holds what a book keeps reports its changes here; the deflection column
// that a calculation run writes is a result, not a change.
void TFormDataInput::WatchForChanges() {
    connect(editKolRotor_, &QLineEdit::textChanged, this, &TFormDataInput::MarkModified);
    for (int rotor = 1; rotor <= pageControl1_->count(); ++rotor) {
        if (QLineEdit* sections = EditUchast(rotor))
            connect(sections, &QLineEdit::textChanged, this, &TFormDataInput::MarkModified);
        if (QComboBox* type = ComboBox(rotor))
            connect(type, &QComboBox::currentTextChanged, this, &TFormDataInput::MarkModified);
        if (TStringGrid* grid = GridInitParams(rotor))
            connect(grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
                if (item->column() < kDeflectionColumn) MarkModified();
            });
        if (TStringGrid* support = AddParams(rotor))
            connect(support, &QTableWidget::itemChanged, this, &TFormDataInput::MarkModified);
    }
}

void TFormDataInput::dragEnterEvent(QDragEnterEvent* event) {
    if (!TShaftLineBook::DroppedBook(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TFormDataInput::dropEvent(QDropEvent* event) {
    const QString path = TShaftLineBook::DroppedBook(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // Questions and messages come after the drag has ended, not inside it.
    QMetaObject::invokeMethod(
        book_, [book = book_, path] { book->Open(path); }, Qt::QueuedConnection);
}
