#include "alignment_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "alignment_cells.h"
#include "alignment_sketch.h"
#include "alignment_texts.h"
#include "bracket_positions.h"
#include "data_input_form.h"
#include "lift_cells.h"
#include "loads_grid.h"
#include "message_boxes.h"
#include "message_text.h"
#include "number_locale.h"
#include "number_text.h"
#include "report_export.h"
#include "screen_scroll_area.h"
#include "shaft_line_workbook.h"
#include "support_bearing.h"
#include "utf8_text.h"
#include "window_fit.h"

using shaftline::SupportState;
namespace io = shaftline::io;

namespace {

const QColor kEditableBackground(255, 250, 215);
const QColor kInTolerance(0, 128, 0);
const QColor kOutOfTolerance(200, 0, 0);

const char* const kInputCaptions[TFormAlignment::kInColumnCount] = {
    "Муфта",
    "Плоскость от левого конца участка, мм",
    "Диаметр D, мм",
    "Допуск смещения, мм",
    "Допуск излома: мм по зазорам с D, мм/м без D",
    "Замеры: «Скобы» или «Замеры»",
    "a1 (верх)",
    "a2 (право)",
    "a3 (низ)",
    "a4 (лево)",
    "b1 / смещение по вертикали",
    "b2 / излом по вертикали",
    "b3 / смещение по горизонтали",
    "b4 / излом по горизонтали",
    "Сходимость скоб",
    "По вертикали до",
    "По горизонтали до",
    "По вертикали после",
    "По горизонтали после",
};

const char* const kBearingCaptions[TFormAlignment::kBrColumnCount] = {
    "Опора",
    "Подшипник",
    "неподвижна",
    "Наименьшее перемещение вверх, мм",
    "Наибольшее перемещение вверх, мм",
    "По вертикали",
    "По горизонтали",
    "Расчетная нагрузка, кгс",
    "Нагрузка при замерах, кгс",
};

const QString kConventions = QStringLiteral(
    "Скобы закреплены на левой полумуфте, роторы проворачиваются вместе; положения 1–4: верх, "
    "право, низ, лево, если смотреть от ротора 1 к последнему (a — радиальные зазоры, b — "
    "осевые). Смещение положительно, когда правая полумуфта выше (правее); излом и разность "
    "зазоров положительны, когда муфта раскрыта сверху (справа). Замеры лазерной системой: "
    "«Замеры» и в столбцах b — смещение и разность зазоров (излом в мм/м без D) по вертикали, "
    "затем по горизонтали.");

// Where an input column lives among a coupling sheet's cells L1:R2: row, then column (0 = L).
struct CellPlace {
    int row = -1;
    int column = -1;
};

CellPlace InputPlace(int column) {
    using F = TFormAlignment;
    switch (column) {
        case F::kInPlane:
            return {0, 5};
        case F::kInDiameter:
            return {0, 6};
        case F::kInOffsetTolerance:
            return {1, 5};
        case F::kInGapTolerance:
            return {1, 6};
        case F::kInKind:
            return {1, 0};
        default:
            break;
    }
    if (column >= F::kInFirstRow && column < F::kInSecondRow)
        return {0, column - F::kInFirstRow + 1};
    if (column >= F::kInSecondRow && column < F::kInClosure)
        return {1, column - F::kInSecondRow + 1};
    return {};
}

// The sheet (rotor number) and side that keep a bearing's inputs: rotor k's left bearing is
// J(k−1), its right one J(k); the pieces carry none. None for the far end of a line that ends
// with a piece.
struct BearingPlace {
    int rotor = 0;
    int side = 0;  // 0 left, 1 right
};
std::optional<BearingPlace> BearingInputsAt(int support, int count) {
    if (support % 2 == 1) return BearingPlace{support, 1};
    if (support + 1 <= count) return BearingPlace{support + 1, 0};
    return std::nullopt;
}

QString Fixed(double value) {
    return QString::fromStdString(shaftline::FormatFixed(value, shaftline::kAlignmentDecimals,
                                                         DecimalSeparator(), GroupSeparator()));
}

QString Verdict(const std::optional<shaftline::PlaneVerdicts>& verdicts, bool vertical) {
    if (!verdicts) return {};
    const bool in = vertical ? verdicts->vertical : verdicts->horizontal;
    return QString::fromUtf8(shaftline::VerdictText(in).data(),
                             static_cast<qsizetype>(shaftline::VerdictText(in).size()));
}

void Colour(QTableWidgetItem* item, std::optional<bool> good) {
    if (good) item->setForeground(*good ? kInTolerance : kOutOfTolerance);
}

void MakeEditable(QTableWidgetItem* item) {
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    item->setBackground(kEditableBackground);
}

}  // namespace

TFormAlignment::TFormAlignment(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormAlignment"));
    setWindowTitle(QStringLiteral("Центровка"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(1180, 860);
    KeepOnScreen(this);

    auto* content = new QWidget();
    auto* layout = new QVBoxLayout(content);
    const auto caption = [content, layout](const QString& text) {
        auto* label = new QLabel(text, content);
        label->setStyleSheet(QStringLiteral("font-weight: bold"));
        layout->addWidget(label);
    };

    caption(QStringLiteral("Монтажные расцентровки муфт и расцентровки в других состояниях"));
    targets_ = new TLoadsGrid(content);
    targets_->setObjectName(QStringLiteral("GridTargets"));
    QStringList targetCaptions{QStringLiteral("Муфта"), QStringLiteral("Роторы")};
    for (SupportState state : shaftline::kSupportStates) {
        const QString name = shaftline::report::Utf8Text(shaftline::SupportStateName(state));
        targetCaptions << name + QStringLiteral(": смещение, мм")
                       << name + QStringLiteral(": излом, мм/м")
                       << name + QStringLiteral(": разность зазоров, мм");
    }
    targets_->setColumnCount(static_cast<int>(targetCaptions.size()));
    targets_->setHorizontalHeaderLabels(targetCaptions);
    layout->addWidget(targets_, 2);
    inForce_ = new QLabel(content);
    inForce_->setObjectName(QStringLiteral("LabelLiftsInForce"));
    inForce_->setWordWrap(true);
    layout->addWidget(inForce_);

    caption(QStringLiteral("Замеры и допуски муфт"));
    inputs_ = new TLoadsGrid(content);
    inputs_->setObjectName(QStringLiteral("GridReadings"));
    inputs_->setColumnCount(kInColumnCount);
    QStringList inputCaptions;
    for (const char* text : kInputCaptions) inputCaptions << QString::fromUtf8(text);
    inputs_->setHorizontalHeaderLabels(inputCaptions);
    for (int column = kInPlane; column < kInClosure; ++column)
        inputs_->setItemDelegateForColumn(column, new TCommitDelegate(
                                                      [this, column](int row, const QString& text) {
                                                          InputTyped(row, column, text);
                                                      },
                                                      inputs_));
    layout->addWidget(inputs_, 2);
    auto* conventions = new QLabel(kConventions, content);
    conventions->setWordWrap(true);
    auto* conventionRow = new QHBoxLayout();
    auto* positions = new TBracketPositions(content);
    positions->setObjectName(QStringLiteral("BracketPositions"));
    conventionRow->addWidget(positions);
    conventionRow->addWidget(conventions, 1);
    layout->addLayout(conventionRow);

    caption(QStringLiteral("Опоры: перемещения и нагрузки"));
    bearings_ = new TLoadsGrid(content);
    bearings_->setObjectName(QStringLiteral("GridBearings"));
    bearings_->setColumnCount(kBrColumnCount);
    QStringList bearingCaptions;
    for (const char* text : kBearingCaptions) bearingCaptions << QString::fromUtf8(text);
    bearings_->setHorizontalHeaderLabels(bearingCaptions);
    for (int column : {kBrMoveMin, kBrMoveMax})
        bearings_->setItemDelegateForColumn(
            column,
            new TCommitDelegate(
                [this, column](int row, const QString& text) { BoundTyped(row, column, text); },
                bearings_));
    connect(bearings_, &QTableWidget::itemChanged, this, &TFormAlignment::FixedToggled);
    layout->addWidget(bearings_, 3);

    sketch_ = new TAlignmentSketch(content);
    sketch_->setObjectName(QStringLiteral("AlignmentSketch"));
    layout->addWidget(sketch_, 2);

    notice_ = new QLabel(content);
    notice_->setObjectName(QStringLiteral("LabelNotice"));
    notice_->setWordWrap(true);
    notice_->setStyleSheet(QStringLiteral("color: red"));
    layout->addWidget(notice_);

    // The crew's one page: saved as PDF or printed, with the inputs as this window shows them.
    auto* sheetButtons = new QHBoxLayout();
    auto* saveSheet = new QPushButton(QStringLiteral("Формуляр центровки (PDF)…"), content);
    saveSheet->setObjectName(QStringLiteral("ButtonFieldSheet"));
    connect(saveSheet, &QPushButton::clicked, this, [this] { ExportFieldSheetWithDialog(this); });
    auto* printSheet = new QPushButton(QStringLiteral("Печать формуляра…"), content);
    printSheet->setObjectName(QStringLiteral("ButtonPrintFieldSheet"));
    connect(printSheet, &QPushButton::clicked, this, [this] { PrintFieldSheetWithPreview(this); });
    sheetButtons->addWidget(saveSheet);
    sheetButtons->addWidget(printSheet);
    sheetButtons->addStretch(1);
    layout->addLayout(sheetButtons);

    auto* scroll = new TScreenScrollArea(content, this);
    scroll->setObjectName(QStringLiteral("AlignmentScroll"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
}

bool TFormAlignment::FillAlignment(TFormDataInput* entry, int count, std::optional<int> base) {
    shaftline::OrProblem<shaftline::CoupledShaftLine> result =
        shaftline::CalcCoupledShaftLine(entry->Rotors(), count, entry->LiftsInForce());
    if (!result.value) {
        ShowRefusal(nullptr, QString::fromStdString(result.problem));
        return false;
    }
    const std::string lifts =
        shaftline::io::LiftsInForceText(entry->LiftsInForce(), DecimalSeparator());
    inForce_->setText(lifts.empty() ? QString()
                                    : QString::fromStdString(lifts) +
                                          QStringLiteral(". Расцентровки всех состояний даны с ними."));
    inForce_->setVisible(!lifts.empty());
    entry_ = entry;
    count_ = count;
    base_ = base;
    coupled_ = std::move(result.value);
    Recalculate();
    return true;
}

// The inputs as the book would read them, then the core. Inputs it cannot use yet (a reading
// still missing, a plane outside its piece) are named under the tables, which then show the
// targets alone.
void TFormAlignment::Recalculate() {
    io::ShaftLineWorkbook book;
    book.sheets.resize(static_cast<std::size_t>(count_));
    for (int k = 1; k <= count_; ++k)
        book.sheets[static_cast<std::size_t>(k - 1)].alignment =
            entry_->SiteAlignmentInputs()[static_cast<std::size_t>(k - 1)];
    shaftline::AlignmentInputs inputs;
    QString notice;
    try {
        inputs = io::AlignmentFromBook(book, DecimalSeparator());
    } catch (const io::AlignmentCellError& error) {
        notice = QString::fromStdString(error.what());
    }
    shaftline::OrProblem<shaftline::AlignmentResult> result =
        shaftline::CalcAlignment(entry_->Rotors(), count_, base_, *coupled_, inputs);
    if (!result.value) {
        notice = QString::fromStdString(result.problem);
        inputs = {};
        result = shaftline::CalcAlignment(entry_->Rotors(), count_, base_, *coupled_, inputs);
    }
    shown_ = std::move(result.value);
    if (!shown_) {
        notice = QString::fromStdString(result.problem);
        shown_ = shaftline::AlignmentResult{};
    }
    fixedShown_ = shown_->moves ? shown_->moves->fixed
                                : inputs.fixed.value_or(shaftline::DefaultFixedSupports(base_));
    notice_->setText(notice);
    filling_ = true;
    ShowTargets();
    ShowInputs();
    ShowBearings();
    ShowSketch(inputs);
    filling_ = false;
}

void TFormAlignment::ShowTargets() {
    const auto& couplings = shown_->couplings;
    targets_->setRowCount(static_cast<int>(couplings.size()));
    for (int row = 0; row < targets_->rowCount(); ++row) {
        const shaftline::CouplingAlignment& c = couplings[static_cast<std::size_t>(row)];
        targets_->SetText(row, 0, QString::number(c.geometry.number));
        targets_->SetText(row, 1, QStringLiteral("%1–%2").arg(c.leftRotor).arg(c.rightRotor));
        for (SupportState state : shaftline::kSupportStates) {
            const shaftline::CouplingReading& r = c.targets[static_cast<std::size_t>(state)];
            const int first = 2 + 3 * static_cast<int>(state);
            targets_->SetNumber(row, first, r.offset, shaftline::kAlignmentDecimals);
            targets_->SetNumber(row, first + 1, r.angle * 1000, shaftline::kAlignmentDecimals);
            if (r.gap)
                targets_->SetNumber(row, first + 2, *r.gap, shaftline::kAlignmentDecimals);
            else
                targets_->SetText(row, first + 2, QStringLiteral("—"));
        }
    }
    targets_->FitColumns();
}

void TFormAlignment::ShowInputs() {
    const auto& couplings = shown_->couplings;
    inputs_->setRowCount(static_cast<int>(couplings.size()));
    for (int row = 0; row < inputs_->rowCount(); ++row) {
        const shaftline::CouplingAlignment& c = couplings[static_cast<std::size_t>(row)];
        const auto& cells =
            entry_->SiteAlignmentInputs()[static_cast<std::size_t>(c.geometry.piece - 1)];
        inputs_->SetText(row, kInNumber, QString::number(c.geometry.number));
        for (int column = kInPlane; column < kInClosure; ++column) {
            const CellPlace place = InputPlace(column);
            const std::string& text =
                cells[static_cast<std::size_t>(place.row)][static_cast<std::size_t>(place.column)];
            MakeEditable(inputs_->SetText(row, column, QString::fromStdString(text)));
        }
        // The plane in use when none is typed: the middle of the piece.
        if (cells[0][5].empty())
            inputs_->item(row, kInPlane)
                ->setToolTip(QStringLiteral("Не задана: середина участка, %1 мм")
                                 .arg(Fixed(c.geometry.plane)));
        QString closure;
        if (c.closure)
            closure = c.closure->Consistent()
                          ? QStringLiteral("%1 / %2 мм")
                                .arg(Fixed(c.closure->radial), Fixed(c.closure->axial))
                          : QString::fromUtf8(
                                shaftline::kClosureFailedText.data(),
                                static_cast<qsizetype>(shaftline::kClosureFailedText.size()));
        QTableWidgetItem* closureItem = inputs_->SetText(row, kInClosure, closure);
        if (c.closure) Colour(closureItem, c.closure->Consistent());
        const auto verdict = [this, row](int column,
                                         const std::optional<shaftline::PlaneVerdicts>& v,
                                         bool vertical) {
            QTableWidgetItem* item = inputs_->SetText(row, column, Verdict(v, vertical));
            if (v) Colour(item, vertical ? v->vertical : v->horizontal);
        };
        verdict(kInVerticalBefore, c.inTolerance, true);
        verdict(kInHorizontalBefore, c.inTolerance, false);
        verdict(kInVerticalAfter, c.inToleranceAfter, true);
        verdict(kInHorizontalAfter, c.inToleranceAfter, false);
    }
    inputs_->FitColumns();
}

void TFormAlignment::ShowBearings() {
    const int supportCount = static_cast<int>(coupled_->line.supports.size());
    bearings_->setRowCount(supportCount);
    const shaftline::BearingMoves* moves = shown_->moves ? &*shown_->moves : nullptr;
    const shaftline::LoadsAsFound* loads = shown_->loadsAsFound ? &*shown_->loadsAsFound : nullptr;
    const auto held = [this](int j) {
        return std::find(fixedShown_.begin(), fixedShown_.end(), j) != fixedShown_.end();
    };
    for (int j = 0; j < supportCount; ++j) {
        const auto index = static_cast<std::size_t>(j);
        bearings_->SetText(
            j, kBrSupport,
            QString::fromStdString(shaftline::SupportLabel(coupled_->line.supports[index], j)));
        bearings_->SetText(j, kBrBearing,
                           QString::fromStdString(
                               shaftline::BearingLabel(shaftline::BearingOfSupport(count_, j))));
        const std::optional<BearingPlace> place = BearingInputsAt(j, count_);
        QTableWidgetItem* fixed = bearings_->SetText(j, kBrFixed, QString());
        fixed->setCheckState(held(j) ? Qt::Checked : Qt::Unchecked);
        if (place)
            fixed->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        for (int column : {kBrMoveMin, kBrMoveMax}) {
            QString text;
            if (place) {
                const auto& cells =
                    entry_->SiteAlignmentInputs()[static_cast<std::size_t>(place->rotor - 1)];
                text = QString::fromStdString(cells[0][static_cast<std::size_t>(
                    3 * place->side + 2 + (column - kBrMoveMin))]);
            }
            QTableWidgetItem* item = bearings_->SetText(j, column, text);
            if (place) MakeEditable(item);
        }
        QTableWidgetItem* vertical =
            bearings_->SetText(j, kBrVertical,
                               moves ? QString::fromStdString(shaftline::MoveText(
                                           moves->vertical[index], true, DecimalSeparator()))
                                     : QString());
        if (moves &&
            std::find(moves->binding.begin(), moves->binding.end(), j) != moves->binding.end()) {
            QFont font = vertical->font();
            font.setBold(true);
            vertical->setFont(font);
            vertical->setToolTip(QStringLiteral("Перемещение упирается в свой предел"));
        }
        bearings_->SetText(j, kBrHorizontal,
                           moves ? QString::fromStdString(shaftline::MoveText(
                                       moves->horizontal[index], false, DecimalSeparator()))
                                 : QString());
        if (loads) {
            bearings_->SetNumber(j, kBrDesignLoad, loads->design[index], 0);
            QTableWidgetItem* found = bearings_->SetNumber(j, kBrFoundLoad, loads->loads[index], 0);
            const auto marked = [j](const std::vector<int>& list) {
                return std::find(list.begin(), list.end(), j) != list.end();
            };
            if (marked(loads->unloaded)) {
                found->setForeground(kOutOfTolerance);
                found->setToolTip(QStringLiteral("Опора разгружена: вал отрывается"));
            } else if (marked(loads->overloaded)) {
                found->setForeground(kOutOfTolerance);
                found->setToolTip(QStringLiteral("Нагрузка больше двух расчетных"));
            }
        } else {
            bearings_->SetText(j, kBrDesignLoad, QString());
            bearings_->SetText(j, kBrFoundLoad, QString());
        }
    }
    bearings_->FitColumns();
}

void TFormAlignment::Refuse(const QString& place, const QString& text, const QString& why) {
    const QString message =
        QStringLiteral("%1: '%2' %3. Остается прежнее значение.")
            .arg(place, QString::fromStdString(shaftline::QuotedForMessage(text.toStdString())),
                 why);
    QTimer::singleShot(0, this, [this, message] { ShowRefusal(this, message); });
}

namespace {

// Why a typed number cannot stand in a cell (empty: it can); an empty text clears the cell.
QString NumberProblem(const QString& text) {
    if (text.isEmpty()) return {};
    try {
        const double value = shaftline::ParseReal(text.toStdString(), DecimalSeparator());
        if (!std::isfinite(value)) return QStringLiteral("не является конечным числом");
    } catch (const shaftline::ConversionError&) {
        return QStringLiteral("не является числом");
    }
    return {};
}

}  // namespace

void TFormAlignment::InputTyped(int row, int column, const QString& typed) {
    if (row < 0 || row >= static_cast<int>(shown_->couplings.size())) return;
    const shaftline::CouplingGeometry& coupling =
        shown_->couplings[static_cast<std::size_t>(row)].geometry;
    const QString text = typed.trimmed();
    const QString place = QStringLiteral("Муфта %1, %2")
                              .arg(coupling.number)
                              .arg(QString::fromUtf8(kInputCaptions[column]));
    QString stored = text;
    if (column == kInKind) {
        const QString brackets = QString::fromUtf8(
            io::kBracketsLabel.data(), static_cast<qsizetype>(io::kBracketsLabel.size()));
        const QString found = QString::fromUtf8(io::kFoundLabel.data(),
                                                static_cast<qsizetype>(io::kFoundLabel.size()));
        if (text.compare(brackets, Qt::CaseInsensitive) == 0) {
            stored = brackets;
        } else if (text.compare(found, Qt::CaseInsensitive) == 0) {
            stored = found;
        } else if (!text.isEmpty()) {
            Refuse(place, typed, QStringLiteral("ожидается «%1» или «%2»").arg(brackets, found));
            return;
        }
    } else if (const QString problem = NumberProblem(text); !problem.isEmpty()) {
        Refuse(place, typed, problem);
        return;
    }

    TFormDataInput::SiteAlignment all = entry_->SiteAlignmentInputs();
    auto& cells = all[static_cast<std::size_t>(coupling.piece - 1)];
    const CellPlace at = InputPlace(column);
    cells[static_cast<std::size_t>(at.row)][static_cast<std::size_t>(at.column)] =
        stored.toStdString();
    cells[0][0] = std::string(io::kCouplingLabel);
    // Gaps typed without saying what they are: bracket gaps, the usual measurement.
    if (column >= kInFirstRow && column < kInClosure && cells[1][0].empty() && !text.isEmpty())
        cells[1][0] = std::string(io::kBracketsLabel);
    entry_->SetSiteAlignmentInputs(all, QStringLiteral("центровка: муфта %1").arg(coupling.number));
    Recalculate();
}

void TFormAlignment::BoundTyped(int row, int column, const QString& typed) {
    const std::optional<BearingPlace> place = BearingInputsAt(row, count_);
    if (!place) return;
    const QString text = typed.trimmed();
    const QString where = QStringLiteral("Опора %1, %2")
                              .arg(row + 1)
                              .arg(QString::fromUtf8(kBearingCaptions[column]));
    if (const QString problem = NumberProblem(text); !problem.isEmpty()) {
        Refuse(where, typed, problem);
        return;
    }
    TFormDataInput::SiteAlignment all = entry_->SiteAlignmentInputs();
    auto& cells = all[static_cast<std::size_t>(place->rotor - 1)];
    cells[0][0] = std::string(io::kBearingsLabel);
    cells[0][static_cast<std::size_t>(3 * place->side + 2 + (column - kBrMoveMin))] =
        text.toStdString();
    entry_->SetSiteAlignmentInputs(all, QStringLiteral("центровка: опора %1").arg(row + 1));
    Recalculate();
}

// A tick names the held bearings from now on: every bearing of the line gets its mark, so that
// the default fixing turns into the same bearings written out, changed by this one.
void TFormAlignment::FixedToggled(QTableWidgetItem* item) {
    if (filling_ || item == nullptr || item->column() != kBrFixed) return;
    const int support = item->row();
    std::vector<int> held = fixedShown_;
    held.erase(std::remove(held.begin(), held.end(), support), held.end());
    if (item->checkState() == Qt::Checked) held.push_back(support);
    TFormDataInput::SiteAlignment all = entry_->SiteAlignmentInputs();
    const int supportCount = static_cast<int>(coupled_->line.supports.size());
    for (int j = 0; j < supportCount; ++j) {
        const std::optional<BearingPlace> place = BearingInputsAt(j, count_);
        if (!place) continue;
        auto& cells = all[static_cast<std::size_t>(place->rotor - 1)];
        cells[0][0] = std::string(io::kBearingsLabel);
        const bool fixed = std::find(held.begin(), held.end(), j) != held.end();
        cells[0][static_cast<std::size_t>(3 * place->side + 1)] = fixed ? "1" : "0";
    }
    entry_->SetSiteAlignmentInputs(all, QStringLiteral("центровка: неподвижные опоры"));
    // The table is rebuilt after the view has finished with the item.
    QTimer::singleShot(0, this, [this] { Recalculate(); });
}

// As found, every bearing stands off its assembly elevation by minus the move that would bring
// the readings to their targets without bounds; after the moves, by that plus the moves shown.
void TFormAlignment::ShowSketch(const shaftline::AlignmentInputs& inputs) {
    std::vector<double> x;
    for (const shaftline::CoupledSupport& support : coupled_->line.supports) x.push_back(support.x);
    std::vector<double> found(x.size(), 0.0);
    std::vector<double> after(x.size(), 0.0);
    if (shown_->moves) {
        std::vector<double> free = shown_->moves->vertical;
        if (!inputs.bounds.empty()) {
            shaftline::AlignmentInputs unbounded = inputs;
            unbounded.bounds.clear();
            const auto result =
                shaftline::CalcAlignment(entry_->Rotors(), count_, base_, *coupled_, unbounded);
            if (result.value && result.value->moves) free = result.value->moves->vertical;
        }
        for (std::size_t j = 0; j < x.size() && j < free.size(); ++j) {
            found[j] = -free[j];
            after[j] = found[j] + shown_->moves->vertical[j];
        }
    }
    sketch_->SetLine(std::move(x), std::move(found), std::move(after));
}
