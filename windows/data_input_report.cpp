// The report of the last calculation: what the rotor pages and records hold, checked to belong
// together, and the report button.
#include <QDateTime>
#include <QFileInfo>

#include "alignment_cells.h"
#include "coupled_shaft_line.h"
#include "coupling_alignment.h"
#include "data_input_form.h"
#include "message_boxes.h"
#include "number_locale.h"
#include "number_text.h"
#include "report_export.h"
#include "report_input.h"
#include "rotor_inputs.h"
#include "rotor_transfer.h"
#include "shaft_line_book.h"
#include "shaft_line_workbook.h"
#include "support_results.h"

namespace {

const QString kReportAction = QStringLiteral("получить отчет");
const QString kResultsAction = QStringLiteral("сохранить результаты");

}  // namespace

void TFormDataInput::SpeedButton4Click() {
    ExportReportWithDialog(this);
}

// A page typed over after the calculation would put inputs beside results they did not give:
// the texts of every page must still convert to the inputs of its record.
bool TFormDataInput::PagesHoldCalculatedInputs(int count, const QString& action) {
    const std::string separator = DecimalSeparator();
    for (int rotor = 1; rotor <= count; ++rotor) {
        bool same = false;
        try {
            same = shaftline::SameInputs(*RotorFromPage(rotor, separator),
                                         *rotors_[static_cast<std::size_t>(rotor)]);
        } catch (const shaftline::TransferError&) {
        }
        if (!same) {
            ShowRefusal(this, QStringLiteral("Данные ротора %1 изменены после расчета. Чтобы %2, "
                                             "сначала нажмите кнопку \"Расчет\".")
                                  .arg(rotor)
                                  .arg(action));
            return false;
        }
    }
    return true;
}

// The line is aligned while its base rotor is ticked; unticking never undoes an alignment, whose
// own angles then stay in the records, while a calculation run starts from fresh ones.
std::optional<int> TFormDataInput::AlignedBaseRotor(int count) const {
    if (baseRotorNumber_ < 1 || baseRotorNumber_ > count) return std::nullopt;
    if (rotors_[static_cast<std::size_t>(baseRotorNumber_)]->GetBaseRotor())
        return baseRotorNumber_;
    for (int rotor = 1; rotor <= count; ++rotor) {
        const shaftline::TRotor& record = *rotors_[static_cast<std::size_t>(rotor)];
        if (record.GetOwnLeftAngle() != 0 || record.GetOwnRightAngle() != 0)
            return baseRotorNumber_;
    }
    return std::nullopt;
}

std::shared_ptr<const shaftline::report::ReportInput> TFormDataInput::ReportInputForExport() {
    return CalculationForExport(kReportAction);
}

std::shared_ptr<const shaftline::report::ReportInput> TFormDataInput::ResultsForExport() {
    return CalculationForExport(kResultsAction);
}

std::shared_ptr<const shaftline::report::ReportInput> TFormDataInput::CalculationForExport(
    const QString& action) {
    int count = 0;
    try {
        count = RotorCount();
    } catch (const shaftline::ConversionError& error) {
        ShowError(this, QString::fromStdString(error.what()));
        return nullptr;
    }
    count = std::min(count, shaftline::kMaxRotors);
    if (!ReportMissing(count < 1 ? std::vector<int>{1} : shaftline::MissingRotors(rotors_, count),
                       action) ||
        !PagesHoldCalculatedInputs(count, action))
        return nullptr;

    auto input = std::make_shared<shaftline::report::ReportInput>();
    input->rotors = &rotors_;
    input->count = count;
    input->baseRotor = AlignedBaseRotor(count);
    input->lifts = liftsInForce_;
    input->bookFileName = book_->Source().isEmpty()
                              ? std::string()
                              : QFileInfo(book_->Source()).fileName().toStdString();
    input->created = QDateTime::currentDateTime();
    input->decimalSeparator = DecimalSeparator();
    input->groupSeparator = GroupSeparator();
    const shaftline::io::ShaftLineWorkbook book = BookFromWindow();
    for (int rotor = 1; rotor <= count; ++rotor) {
        const shaftline::TRotor& record = *rotors_[static_cast<std::size_t>(rotor)];
        shaftline::report::RotorInputTexts& texts = input->inputs[static_cast<std::size_t>(rotor)];
        if (static_cast<std::size_t>(rotor) <= book.sheets.size()) {
            const shaftline::io::RotorSheet& sheet =
                book.sheets[static_cast<std::size_t>(rotor - 1)];
            texts.typeText = sheet.rotorType;
            texts.sectionRows = sheet.rows;
            // The rows the record was calculated from.
            texts.sectionRows.resize(static_cast<std::size_t>(record.GetSectionCount()));
            texts.supportTexts = sheet.support;
        }
        // The values of the parameters window, from the support data as they stand and under
        // its check; the rises go into a copy, nothing is stored in the record. Support data
        // that do not convert or give values that are not finite leave the states out.
        try {
            const shaftline::SupportData data = shaftline::SupportDataFromText(
                rotor, [&texts](int column) { return texts.supportTexts[column]; },
                input->decimalSeparator);
            shaftline::TRotor raised = record;
            if (shaftline::ApplyCheckedSupportRises(raised, rotor, data).empty())
                input->states[static_cast<std::size_t>(rotor)] = shaftline::ComputeSupportStates(
                    raised, {raised.LeftSupportRise, raised.RightSupportRise});
        } catch (const shaftline::TransferError&) {
        }
    }
    input->alignment = SiteAlignmentResult(book, count, input->baseRotor);
    return input;
}

// The alignment on site as the window "Центровка" shows it, for the protocol's section: the
// inputs the book would carry, or the targets alone when the core cannot use them yet.
std::optional<shaftline::AlignmentResult> TFormDataInput::SiteAlignmentResult(
    const shaftline::io::ShaftLineWorkbook& book, int count, std::optional<int> base) const {
    const shaftline::OrProblem<shaftline::CoupledShaftLine> coupled =
        shaftline::CalcCoupledShaftLine(rotors_, count, liftsInForce_);
    if (!coupled.value) return std::nullopt;
    shaftline::AlignmentInputs inputs;
    try {
        inputs = shaftline::io::AlignmentFromBook(book, DecimalSeparator());
    } catch (const shaftline::io::AlignmentCellError&) {
    }
    shaftline::OrProblem<shaftline::AlignmentResult> result =
        shaftline::CalcAlignment(rotors_, count, base, *coupled.value, inputs);
    if (!result.value) result = shaftline::CalcAlignment(rotors_, count, base, *coupled.value, {});
    return std::move(result.value);
}
