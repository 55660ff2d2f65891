// The base rotor, the alignment of the shaft line with the support rises, the two windows that
// show one rotor's results (parameters and sketch) and the one that shows the coupled line.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QTabWidget>

#include "app_windows.h"
#include "data_input_form.h"
#include "loads_form.h"
#include "message_boxes.h"
#include "number_locale.h"
#include "param_form.h"
#include "rotor_grid_columns.h"
#include "rotor_sketch_form.h"
#include "rotor_transfer.h"
#include "string_grid.h"
#include "support_results.h"

namespace {

const QString kStatusAligned = QStringLiteral(
    "Просмотрите необходимые параметры ротора, его эскиз или схему опоры. И закройте это окно "
    "для вывода графика");

}  // namespace

void TFormDataInput::TickCheckBox(int rotor) {
    pendingBaseRotor_ = 0;  // the engineer's own choice replaces an opened book's one
    QCheckBox* box = CheckBoxR(rotor);
    if (box == nullptr) return;
    shaftline::TRotor* record = rotors_[static_cast<std::size_t>(rotor)].get();
    if (!box->isChecked()) {
        // Unticking never undoes an alignment.
        if (record != nullptr) record->SetBaseRotor(false);
        SetStatusText(kStatusAligned);
        return;
    }

    // Everything the alignment needs is checked before anything changes; a refusal takes the
    // tick back.
    const int count = RotorCount();
    std::vector<shaftline::SupportData> supports;
    const QString action = QStringLiteral("выбрать базовый ротор");
    bool ready = rotor <= count && ReportMissing(shaftline::MissingRotors(rotors_, count), action);
    for (int k = 1; ready && k <= count; ++k) {
        const std::optional<shaftline::SupportData> data = ReadSupportData(k);
        if (data) supports.push_back(*data);
        ready = data.has_value();
    }
    if (!ready) {
        if (rotor > count)
            ShowRefusal(this, QStringLiteral("Ротор %1 не входит в валопровод из %2 роторов")
                                  .arg(rotor)
                                  .arg(count));
        box->setChecked(false);
        return;
    }

    // The alignment is worked out before the confirmation: values it cannot carry refuse the
    // base rotor and leave the previous results.
    if (!AlignShaftLine(rotor, supports)) {
        box->setChecked(false);
        return;
    }
    rotors_[static_cast<std::size_t>(rotor)]->SetBaseRotor(true);
    baseRotorNumber_ = rotor;
    ShowMessage(this, QStringLiteral("Теперь ротор %1 базовый").arg(rotor));
    SetStatusText(kStatusAligned);
}

// supports[k - 1] is the converted support row of rotor k, for every rotor of the line. All or
// nothing: false after the error box when a rotor's support values would not be finite.
bool TFormDataInput::AlignShaftLine(int base, const std::vector<shaftline::SupportData>& supports) {
    const int count = static_cast<int>(supports.size());
    const std::vector<shaftline::RotorProblem> problems =
        shaftline::AlignWithSupportRises(rotors_, count, base, supports);
    if (!problems.empty()) {
        ShowProblems(problems, QStringLiteral("Выравнивание валопровода не выполнено"), true);
        return false;
    }
    const shaftline::TRotor& last = *rotors_[static_cast<std::size_t>(count)];
    leftRise_ = last.LeftSupportRise;
    rightRise_ = last.RightSupportRise;
    return true;
}

// True when nothing is missing; otherwise names the rotors that have no record (no calculation
// run covered them yet) in a message and answers false.
bool TFormDataInput::ReportMissing(const std::vector<int>& missing, const QString& action) {
    if (missing.empty()) return true;
    QStringList numbers;
    for (int rotor : missing) numbers << QString::number(rotor);
    ShowRefusal(this, QStringLiteral("Нет результатов расчета для ротора %1. Чтобы %2, сначала "
                                     "нажмите кнопку \"Расчет\".")
                          .arg(numbers.join(QStringLiteral(", ")), action));
    return false;
}

bool TFormDataInput::RecordExists(int rotor, const QString& action) {
    if (rotors_[static_cast<std::size_t>(rotor)] != nullptr) return true;
    return ReportMissing({rotor}, action);
}

std::optional<shaftline::SupportData> TFormDataInput::ReadSupportData(int rotor) {
    const TStringGrid* grid = AddParams(rotor);
    const auto cell = [grid](int column) {
        return grid != nullptr ? grid->Cell(column, kSupportDataRow).toStdString() : std::string();
    };
    try {
        return shaftline::SupportDataFromText(rotor, cell, DecimalSeparator());
    } catch (const shaftline::TransferError& error) {
        ShowTransferError(error, true);
        return std::nullopt;
    }
}

bool TFormDataInput::CalcSupportRises(int index) {
    const int rotor = index + 1;
    shaftline::TRotor* record = rotors_[static_cast<std::size_t>(rotor)].get();
    if (record == nullptr) return false;
    const std::optional<shaftline::SupportData> data = ReadSupportData(rotor);
    if (!data) return false;
    const std::vector<shaftline::RotorProblem> problems =
        shaftline::ApplyCheckedSupportRises(*record, rotor, *data);
    if (!problems.empty()) {
        ShowProblems(problems, QStringLiteral("Параметры опор не рассчитаны"), true);
        return false;
    }
    leftRise_ = record->LeftSupportRise;
    rightRise_ = record->RightSupportRise;
    return true;
}

void TFormDataInput::PressParamsBtn() {
    const int rotor = pageControl1_->currentIndex() + 1;
    if (!RecordExists(rotor, QStringLiteral("увидеть параметры опор"))) return;
    if (!CalcSupportRises(rotor - 1)) return;
    const shaftline::SupportStates states = shaftline::ComputeSupportStates(
        *rotors_[static_cast<std::size_t>(rotor)], {leftRise_, rightRise_});
    FormParam->FillParams(states);
    FormParam->exec();
}

void TFormDataInput::Button21Click() {
    const int rotor = pageControl1_->currentIndex() + 1;
    if (!RecordExists(rotor, QStringLiteral("увидеть эскиз ротора"))) return;
    FormRotorSketch->SetRotor(rotors_[static_cast<std::size_t>(rotor)].get());
    FormRotorSketch->exec();
}

// The rotors rigidly coupled, as the records of the last calculation run, alignment and support
// rises stand; the window only reads them.
void TFormDataInput::ButtonLoadsClick() {
    const int count = RotorCount();
    if (!ReportMissing(shaftline::MissingRotors(rotors_, count),
                       QStringLiteral("увидеть нагрузки на опоры")))
        return;
    if (!FormLoads->FillLoads(rotors_, count, AlignedBaseRotor(count).value_or(0), liftsInForce_,
                              journals_))
        return;
    connect(FormLoads, &TFormLoads::LiftsPutInForce, this, &TFormDataInput::PutLiftsInForce,
            Qt::UniqueConnection);
    connect(FormLoads, &TFormLoads::JournalsEdited, this, &TFormDataInput::PutJournals,
            Qt::UniqueConnection);
    FormLoads->exec();
}
