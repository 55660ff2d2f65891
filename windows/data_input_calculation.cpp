// The calculation run of the data-entry window: completeness check, transfer of the grids into
// fresh rotor records, the calculation and the deflection column.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <algorithm>
#include <utility>

#include "data_input_form.h"
#include "message_boxes.h"
#include "number_locale.h"
#include "number_text.h"
#include "rotor_grid_columns.h"
#include "rotor_transfer.h"
#include "string_grid.h"

namespace {

const QString kStatusCalculated = QStringLiteral("Выберите один базовый ротор и нажмите кнопку ОК");

}  // namespace

void TFormDataInput::SpeedButton1Click() {
    const int pendingBase = std::exchange(pendingBaseRotor_, 0);
    if (AllDataFilled()) {
        if (!SaveRotors()) return;
        WriteDeflections(RotorCount());
        SetStatusText(kStatusCalculated);
        // The base rotor of an opened book, still ticked: the line is aligned to it as if the
        // engineer had ticked it now.
        const QCheckBox* box = pendingBase > 0 ? CheckBoxR(pendingBase) : nullptr;
        if (box != nullptr && box->isChecked() && pendingBase <= RotorCount())
            TickCheckBox(pendingBase);
        return;
    }
    SetStatusText(kStatusCalculated);
}

bool TFormDataInput::AllDataFilled() {
    const int count = std::min(RotorCount(), shaftline::kMaxRotors);
    for (int rotor = 1; rotor <= count; ++rotor) {
        const TStringGrid* grid = GridInitParams(rotor);
        if (grid == nullptr) continue;
        for (int row = 1; row < grid->RowCount(); ++row) {
            for (int column = 0; column < static_cast<int>(kSectionGridHeaders.size()); ++column) {
                if (!grid->Cell(column, row).isEmpty()) continue;
                ShowMessage(
                    this,
                    QStringLiteral("Не все данные заполнены на вкладке для ротора %1").arg(rotor));
                return false;
            }
        }
    }
    return true;
}

bool TFormDataInput::SaveRotors() {
    const int count = RotorCount();
    if (count < 1) return true;
    const int last = std::min(count, shaftline::kMaxRotors);
    const std::string separator = DecimalSeparator();

    // New records are built and calculated aside; Rotors changes only when all of them succeed.
    shaftline::RotorArray staging;
    try {
        for (int rotor = 1; rotor <= last; ++rotor) {
            staging[static_cast<std::size_t>(rotor)] = RotorFromPage(rotor, separator);
        }
    } catch (const shaftline::TransferError& error) {
        ShowTransferError(error, false);
        return false;
    }
    const std::vector<shaftline::RotorProblem> problems = shaftline::RunCalculation(staging, count);
    if (!problems.empty()) {
        ShowProblems(problems, QStringLiteral("Расчет не выполнен"), false);
        return false;
    }
    for (int rotor = 1; rotor <= last; ++rotor)
        rotors_[static_cast<std::size_t>(rotor)] =
            std::move(staging[static_cast<std::size_t>(rotor)]);
    pageControl1_->setCurrentIndex(last - 1);
    return true;
}

std::unique_ptr<shaftline::TRotor> TFormDataInput::RotorFromPage(int rotor,
                                                                 std::string_view separator) const {
    const TStringGrid* grid = GridInitParams(rotor);
    const QLineEdit* sections = EditUchast(rotor);
    const QComboBox* type = ComboBox(rotor);  // none on even pages: shrunk-on discs
    const shaftline::CellText cell = [grid](int row, int column) {
        return grid != nullptr ? grid->Cell(column, row).toStdString() : std::string();
    };
    return shaftline::RotorFromText(
        rotor, sections != nullptr ? sections->text().toStdString() : std::string(),
        type != nullptr ? type->currentText().toStdString() : std::string(), cell, separator);
}

void TFormDataInput::WriteDeflections(int count) {
    const std::string separator = DecimalSeparator();
    const int last = std::min(count, shaftline::kMaxRotors);
    for (int rotor = 1; rotor <= last; ++rotor) {
        TStringGrid* grid = GridInitParams(rotor);
        const shaftline::TRotor* record = rotors_[static_cast<std::size_t>(rotor)].get();
        if (grid == nullptr || record == nullptr) continue;
        grid->SetColCount(kDeflectionColumn + 1);
        grid->SetCell(kDeflectionColumn, 0,
                      QString::fromUtf8(kDeflectionHeader.data(),
                                        static_cast<qsizetype>(kDeflectionHeader.size())));
        const shaftline::SectionArray& sections = record->SectionsView();
        for (int row = 1; row <= record->GetSectionCount(); ++row)
            grid->SetCell(kDeflectionColumn, row,
                          QString::fromStdString(shaftline::FormatGeneral(
                              sections[static_cast<std::size_t>(row)].Deflection, separator)));
        grid->resizeColumnToContents(kDeflectionColumn);
    }
}

// Shows the rotor page and the cell (or the section count) whose text failed, then the message
// that quotes the text and names rotor, row and column.
void TFormDataInput::ShowTransferError(const shaftline::TransferError& error, bool supportGrid) {
    if (QWidget* page = Page(error.rotor)) pageControl1_->setCurrentWidget(page);
    if (error.column < 0) {
        if (QLineEdit* sections = EditUchast(error.rotor)) {
            sections->setFocus();
            sections->selectAll();
        }
    } else {
        ShowGrid(error.rotor, supportGrid);
        radioGroup1_->button(supportGrid ? 1 : 0)->setChecked(true);
        TStringGrid* grid = supportGrid ? AddParams(error.rotor) : GridInitParams(error.rotor);
        if (grid != nullptr) {
            grid->setCurrentCell(error.row - 1, error.column);
            grid->setFocus();
        }
    }
    ShowError(this, QString::fromStdString(error.what()));
}

// Like a conversion failure: the first problem's page, the grid named and, in the section grid,
// the problem's row; then the error box with every problem under the title.
void TFormDataInput::ShowProblems(const std::vector<shaftline::RotorProblem>& problems,
                                  const QString& title, bool supportGrid) {
    QStringList lines;
    for (const shaftline::RotorProblem& problem : problems)
        lines << QString::fromStdString(problem.message);
    const shaftline::RotorProblem& first = problems.front();
    if (QWidget* page = Page(first.rotor)) pageControl1_->setCurrentWidget(page);
    ShowGrid(first.rotor, supportGrid);
    radioGroup1_->button(supportGrid ? 1 : 0)->setChecked(true);
    if (TStringGrid* grid = GridInitParams(first.rotor);
        !supportGrid && grid != nullptr && first.section > 0) {
        grid->setCurrentCell(first.section - 1, 0);
        grid->setFocus();
    }
    ShowError(this, title + QStringLiteral(":\n") + lines.join(u'\n'));
}
