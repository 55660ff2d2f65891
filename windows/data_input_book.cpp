// The data-entry window as a book: its data as the book writer takes them, the rotor types a
// book carries, the modified mark, the "Открыть книгу" button and books dropped on the window.
#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QUndoStack>

#include "data_input_form.h"
#include "entry_history.h"
#include "lift_cells.h"
#include "message_boxes.h"
#include "number_locale.h"
#include "rotor_grid_columns.h"
#include "shaft_line_book.h"
#include "shaft_line_workbook.h"
#include "string_grid.h"

void TFormDataInput::SpeedButton3Click() {
    book_->AskAndOpen();
}

void TFormDataInput::RestoreRotorTypes(const shaftline::io::ShaftLineWorkbook& book,
                                       QUndoCommand* step) {
    QUndoCommand* own =
        step == nullptr ? new QUndoCommand(QStringLiteral("типы роторов")) : nullptr;
    for (std::size_t k = 0; k < book.sheets.size(); ++k) {
        const std::string& type = book.sheets[k].rotorType;
        QComboBox* selector = ComboBox(static_cast<int>(k) + 1);
        if (type.empty() || selector == nullptr) continue;
        QLineEdit* edit = selector->lineEdit();
        new TSetTextCommand(*history_, {}, edit, edit->text(), QString::fromStdString(type), -1,
                            nullptr, false, step != nullptr ? step : own);
    }
    if (own == nullptr) return;
    if (own->childCount() > 0)
        history_->Push(own);
    else
        delete own;
}

void TFormDataInput::RestoreBaseRotor(const shaftline::io::ShaftLineWorkbook& book) {
    if (book.baseRotor < 1) return;
    for (int rotor = 1; rotor <= shaftline::kMaxRotors; ++rotor)
        if (QCheckBox* box = CheckBoxR(rotor)) box->setChecked(rotor == book.baseRotor);
    pendingBaseRotor_ = book.baseRotor;
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
        sheet.alignment = siteAlignment_[static_cast<std::size_t>(rotor - 1)];
    }
    // The base rotor as its tick shows it: chosen in this window or still pending from a book.
    const int base = pendingBaseRotor_ > 0 ? pendingBaseRotor_ : baseRotorNumber_;
    const QCheckBox* box = base > 0 ? CheckBoxR(base) : nullptr;
    if (box != nullptr && box->isChecked() && base <= static_cast<int>(book.sheets.size()))
        book.baseRotor = base;
    book.lifts = shaftline::io::LiftTexts(liftsInForce_, DecimalSeparator());
    book.journals = journals_;
    return book;
}

bool TFormDataInput::IsModified() const {
    return !UndoStack()->isClean();
}

void TFormDataInput::SetUnmodified() {
    UndoStack()->setClean();
}

void TFormDataInput::dragEnterEvent(QDragEnterEvent* event) {
    TShaftLineBook::AcceptDraggedBook(event);
}

void TFormDataInput::dropEvent(QDropEvent* event) {
    book_->OpenDroppedBook(event);
}

namespace {

// A value kept with the book beside the grids (the lifts in force, the journals) from one
// state to another.
template <typename Value>
class TKeptValueCommand : public TEntryCommand {
  public:
    TKeptValueCommand(TEntryHistory& history, const QString& text, Value& value, Value after,
                      QUndoCommand* parent)
        : TEntryCommand(history, text, nullptr, false, parent),
          value_(value),
          before_(value),
          after_(std::move(after)) {}

  protected:
    void Do() override { value_ = after_; }
    void Undo() override { value_ = before_; }

  private:
    Value& value_;
    Value before_, after_;
};

using TLiftsCommand = TKeptValueCommand<std::vector<double>>;
using TJournalsCommand = TKeptValueCommand<shaftline::io::JournalTexts>;

const QString kLiftsStep = QStringLiteral("подъёмы опор");
const QString kJournalsStep = QStringLiteral("цапфы опор");

// All 0 is no lifts at all.
std::vector<double> InForce(std::vector<double> lifts) {
    if (std::all_of(lifts.begin(), lifts.end(), [](double lift) { return lift == 0; })) lifts.clear();
    return lifts;
}

// Texts up to the last one given in each row, so that equal journals compare equal.
shaftline::io::JournalTexts Trimmed(shaftline::io::JournalTexts journals) {
    for (std::vector<std::string>& row : journals)
        while (!row.empty() && row.back().empty()) row.pop_back();
    return journals;
}

}  // namespace

void TFormDataInput::PutLiftsInForce(const std::vector<double>& lifts) {
    std::vector<double> after = InForce(lifts);
    if (after == liftsInForce_) return;
    history_->Push(new TLiftsCommand(*history_, kLiftsStep, liftsInForce_, std::move(after), nullptr));
}

void TFormDataInput::PutJournals(const shaftline::io::JournalTexts& journals) {
    shaftline::io::JournalTexts after = Trimmed(journals);
    if (after == journals_) return;
    history_->Push(new TJournalsCommand(*history_, kJournalsStep, journals_, std::move(after), nullptr));
}

// A lift cell that cannot be used leaves the lifts as they were, after a message naming it;
// the journals are kept as texts and read when lifts are chosen.
void TFormDataInput::RestoreSupportRows(const shaftline::io::ShaftLineWorkbook& book,
                                        QUndoCommand* step) {
    try {
        std::vector<double> lifts = InForce(shaftline::io::LiftsFromBook(
            book, DecimalSeparator(), static_cast<int>(book.sheets.size()) + 1));
        new TLiftsCommand(*history_, kLiftsStep, liftsInForce_, std::move(lifts), step);
    } catch (const shaftline::io::LiftCellError& e) {
        ShowRefusal(this, QString::fromStdString(e.what()));
    }
    new TJournalsCommand(*history_, kJournalsStep, journals_, Trimmed(book.journals), step);
}
