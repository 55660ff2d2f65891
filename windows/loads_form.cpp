#include "loads_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "coupled_overload.h"
#include "loads_chart.h"
#include "lift_cells.h"
#include "loads_grid.h"
#include "message_boxes.h"
#include "message_text.h"
#include "number_locale.h"
#include "number_text.h"
#include "screen_scroll_area.h"
#include "support_bearing.h"
#include "support_lift_tab.h"
#include "utf8_text.h"
#include "window_fit.h"

using shaftline::SupportState;

namespace {

const char* const kColumnCaptions[TFormLoads::kColumnCount] = {
    "Опора",
    "Координата, мм",
    "Высотное положение, мм",
    "Дополнительный подъем, мм",
    "Нагрузка, кгс",
    "Нагрузка без связи роторов, кгс",
    "Изменение нагрузки, кгс",
    "Изгибающий момент, кгс·мм",
    "Подшипник",
};

const QString kNegativeLoadHint = QStringLiteral("Отрицательная нагрузка: вал отрывается от опоры");

const QColor kEditableBackground(255, 250, 215);
const QString kLiftHint =
    QStringLiteral("Подъем опоры сверх ее высотного положения, мм: нагрузки пересчитываются сразу");

// Object names of a state's controls: the prefix and the state's own word.
QString StateName(const char* prefix, SupportState state) {
    static const char* const kWords[] = {"Level", "Nominal", "Assembly"};
    return QString::fromLatin1(prefix) + QString::fromLatin1(kWords[static_cast<int>(state)]);
}

}  // namespace

TFormLoads::TFormLoads(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormLoads"));
    setWindowTitle(QStringLiteral("Нагрузки на опоры"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(1180, 860);
    KeepOnScreen(this);

    auto* note = new QLabel(
        QStringLiteral("Роторы жестко соединены муфтами; ужесточение вала дисками не учитывается."),
        this);
    note->setObjectName(QStringLiteral("LabelNote"));
    inForce_ = new QLabel(this);
    inForce_->setObjectName(QStringLiteral("LabelLiftsInForce"));
    inForce_->setWordWrap(true);

    pageControl1_ = new QTabWidget(this);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    for (SupportState state : shaftline::kSupportStates)
        pageControl1_->addTab(BuildStateTab(state),
                              shaftline::report::Utf8Text(SupportStateName(state)));
    pageControl1_->addTab(BuildInfluenceTab(), QStringLiteral("Коэффициенты влияния, кгс/мм"));
    liftTab_ = new TSupportLiftTab();
    connect(liftTab_, &TSupportLiftTab::LiftsApplied, this, &TFormLoads::PutInForce);
    connect(liftTab_, &TSupportLiftTab::LiftsCleared, this, [this] {
        PutInForce(std::vector<double>(coupled_ ? coupled_->line.supports.size() : 0, 0.0));
    });
    connect(liftTab_, &TSupportLiftTab::JournalsEdited, this, &TFormLoads::JournalsEdited);
    pageControl1_->addTab(liftTab_, QStringLiteral("Подбор высот опор"));

    // On a small screen the window keeps a readable size inside and scrolls.
    auto* content = new QWidget();
    content->setObjectName(QStringLiteral("LoadsContent"));
    content->setMinimumSize(760, 560);
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->addWidget(note);
    contentLayout->addWidget(inForce_);
    contentLayout->addWidget(pageControl1_, 1);
    auto* scroll = new TScreenScrollArea(content, this);
    scroll->setObjectName(QStringLiteral("LoadsScroll"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

QWidget* TFormLoads::BuildStateTab(SupportState state) {
    auto* page = new QWidget();
    page->setObjectName(StateName("Tab", state));
    StateTab& tab = Tab(state);

    tab.grid = new TLoadsGrid(page);
    tab.grid->setObjectName(StateName("Grid", state));
    tab.grid->setColumnCount(kColumnCount);
    QStringList captions;
    for (const char* caption : kColumnCaptions) captions << QString::fromUtf8(caption);
    tab.grid->setHorizontalHeaderLabels(captions);
    tab.grid->setItemDelegateForColumn(
        kLiftColumn,
        new TCommitDelegate(
            [this, state](int row, const QString& text) { LiftTyped(state, row, text); },
            tab.grid));

    tab.unloaded = new QLabel(page);
    tab.unloaded->setObjectName(StateName("LabelUnloaded", state));
    tab.unloaded->setStyleSheet(QStringLiteral("color: red"));
    auto* reset = new QPushButton(QStringLiteral("Сбросить"), page);
    reset->setObjectName(StateName("ButtonReset", state));
    reset->setToolTip(QStringLiteral("Убрать дополнительные подъемы опор"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, [this, state] { ResetLifts(state); });
    auto* inForce = new QPushButton(QStringLiteral("Ввести в силу"), page);
    inForce->setObjectName(StateName("ButtonInForce", state));
    inForce->setToolTip(QStringLiteral(
        "Ввести эти подъемы опор во все состояния: они сохраняются с книгой и входят в "
        "расцентровки муфт, протокол и книгу результатов"));
    inForce->setAutoDefault(false);
    connect(inForce, &QPushButton::clicked, this, [this, state] { PutInForce(Tab(state).lifts); });
    tab.chart = new TLoadsChart(page);
    tab.chart->setObjectName(StateName("Chart", state));

    tab.overloaded = new QLabel(page);
    tab.overloaded->setObjectName(StateName("LabelOverloaded", state));
    tab.overloaded->setStyleSheet(QStringLiteral("color: #a05000"));
    auto* lines = new QVBoxLayout();
    lines->addWidget(tab.unloaded);
    lines->addWidget(tab.overloaded);
    auto* row = new QHBoxLayout();
    row->addLayout(lines, 1);
    row->addWidget(reset);
    row->addWidget(inForce);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(tab.grid, 3);
    layout->addLayout(row);
    layout->addWidget(tab.chart, 2);
    return page;
}

QWidget* TFormLoads::BuildInfluenceTab() {
    auto* page = new QWidget();
    page->setObjectName(QStringLiteral("TabInfluence"));
    auto* caption = new QLabel(
        QStringLiteral("Изменение нагрузки опоры (строка) при подъеме одной опоры (столбец) на "
                       "1 мм, кгс/мм; не зависит от состояния опор."),
        page);
    caption->setObjectName(QStringLiteral("LabelInfluence"));
    influence_ = new TLoadsGrid(page);
    influence_->setObjectName(QStringLiteral("GridInfluence"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(caption);
    layout->addWidget(influence_, 1);
    return page;
}

bool TFormLoads::FillLoads(const shaftline::RotorArray& rotors, int count, int baseRotor,
                           const std::vector<double>& liftsInForce,
                           const shaftline::io::JournalTexts& journals) {
    shaftline::OrProblem<shaftline::CoupledShaftLine> result =
        shaftline::CalcCoupledShaftLine(rotors, count);
    if (!result.value) {
        ShowRefusal(nullptr, QString::fromStdString(result.problem));
        return false;
    }
    coupled_ = std::move(result.value);
    const int supportCount = static_cast<int>(coupled_->line.supports.size());
    bearingRises_.clear();
    for (int j = 0; j < supportCount; ++j) {
        const shaftline::SupportBearing bearing = shaftline::BearingOfSupport(count, j);
        const shaftline::TRotor& rotor = *rotors[static_cast<std::size_t>(bearing.rotor)];
        bearingRises_.push_back(bearing.left ? rotor.LeftSupportRise : rotor.RightSupportRise);
    }
    liftsInForce_ = liftsInForce;
    liftsInForce_.resize(coupled_->line.supports.size(), 0.0);
    SetAllLifts(liftsInForce_);
    ShowInForce();
    FillInfluence();
    liftTab_->SetLine(*coupled_, baseRotor, journals);
    return true;
}

QString TFormLoads::SupportCaption(int support) const {
    return QString::fromStdString(shaftline::SupportLabel(
        coupled_->line.supports[static_cast<std::size_t>(support)], support));
}

// The bearing the support stands for; in the assembly state also the rise taken off it.
QString TFormLoads::BearingText(SupportState state, int support) const {
    const shaftline::SupportBearing bearing =
        shaftline::BearingOfSupport(coupled_->line.RotorCount(), support);
    QString text = QString::fromStdString(shaftline::BearingLabel(bearing));
    if (state == SupportState::kAssembly)
        text += QStringLiteral(", вычтен ее подъем %1 мм")
                    .arg(QString::fromStdString(shaftline::FormatFixed(
                        bearingRises_[static_cast<std::size_t>(support)],
                        shaftline::kCoupledLengthDecimals, DecimalSeparator(), GroupSeparator())));
    return text;
}

// The state with its extra lifts, solved afresh, into the table, the chart and the line of
// unloaded supports.
void TFormLoads::ShowState(SupportState state) {
    StateTab& tab = Tab(state);
    const shaftline::CoupledLine& line = coupled_->line;
    tab.shown = shaftline::SolveCoupledLine(
        line, shaftline::WithLifts(coupled_->State(state).elevations, tab.lifts));
    const shaftline::CoupledState& s = tab.shown;
    const std::vector<double> shift = shaftline::CouplingShift(line, s);
    const int supports = static_cast<int>(line.supports.size());

    TLoadsGrid* grid = tab.grid;
    grid->setRowCount(supports);
    QStringList numbers;
    std::vector<double> own;
    for (int j = 0; j < supports; ++j) {
        const auto at = static_cast<std::size_t>(j);
        grid->SetText(j, kSupportColumn, SupportCaption(j));
        grid->SetNumber(j, kCoordColumn, line.supports[at].x, shaftline::kCoupledLengthDecimals);
        grid->SetNumber(j, kElevationColumn, s.elevations[at], shaftline::kCoupledLengthDecimals);
        QTableWidgetItem* lift =
            grid->SetNumber(j, kLiftColumn, tab.lifts[at], shaftline::kCoupledLengthDecimals);
        lift->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        lift->setBackground(kEditableBackground);
        lift->setToolTip(kLiftHint);
        QTableWidgetItem* load =
            grid->SetNumber(j, kLoadColumn, s.loads[at], shaftline::kCoupledLoadDecimals);
        const bool negative = s.loads[at] < 0;
        load->setForeground(negative ? QBrush(Qt::red) : QBrush());
        load->setToolTip(negative ? kNegativeLoadHint : QString());
        grid->SetNumber(j, kOwnLoadColumn, line.supports[at].ownLoad,
                        shaftline::kCoupledLoadDecimals);
        grid->SetNumber(j, kShiftColumn, shift[at], shaftline::kCoupledLoadDecimals);
        grid->SetNumber(j, kMomentColumn, s.moments[at], shaftline::kCoupledMomentDecimals);
        grid->SetText(j, kBearingColumn, BearingText(state, j));
        numbers << QString::number(j + 1);
        own.push_back(line.supports[at].ownLoad);
    }

    tab.unloaded->setText(QString::fromStdString(shaftline::UnloadedSupportsText(line, s)));
    QStringList overloaded;
    for (int j : shaftline::OverloadedSupports(line, s)) overloaded << SupportCaption(j);
    tab.overloaded->setText(
        overloaded.isEmpty()
            ? QString()
            : QStringLiteral("Нагрузка больше двух нагрузок без связи роторов: %1")
                  .arg(overloaded.join(QStringLiteral(", "))));
    grid->FitColumns();
    tab.chart->SetLoads(numbers, s.loads, own);
}

void TFormLoads::FillInfluence() {
    const std::vector<std::vector<double>>& a = coupled_->influence;
    const int supports = static_cast<int>(a.size());
    influence_->clear();
    influence_->setRowCount(supports);
    influence_->setColumnCount(supports + 1);
    QStringList captions = {QStringLiteral("Опора")};
    for (int j = 0; j < supports; ++j) captions << QString::number(j + 1);
    influence_->setHorizontalHeaderLabels(captions);
    for (int i = 0; i < supports; ++i) {
        influence_->SetText(i, 0, SupportCaption(i));
        for (int j = 0; j < supports; ++j) {
            influence_->SetNumber(i, j + 1,
                                  a[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)],
                                  shaftline::kCoupledCoefficientDecimals);
        }
    }
    influence_->FitColumns();
}

// A refused text leaves the lift as it was; the message comes once the cell editor is closed.
void TFormLoads::LiftTyped(SupportState state, int support, const QString& text) {
    const QString trimmed = text.trimmed();
    double lift = 0;
    QString problem;
    try {
        if (!trimmed.isEmpty())
            lift = shaftline::ParseReal(trimmed.toStdString(), DecimalSeparator());
        if (std::fabs(lift) > shaftline::kMaxExtraLift) {
            problem = QStringLiteral("больше %1 мм по величине").arg(shaftline::kMaxExtraLift);
        }
    } catch (const shaftline::ConversionError&) {
        problem = QStringLiteral("не является числом");
    }
    if (!problem.isEmpty()) {
        const QString message =
            QStringLiteral("Дополнительный подъем опоры %1: '%2' %3. Остается прежнее значение.")
                .arg(support + 1)
                .arg(QString::fromStdString(shaftline::QuotedForMessage(text.toStdString())),
                     problem);
        QTimer::singleShot(0, this, [this, message] { ShowRefusal(this, message); });
        return;
    }
    Tab(state).lifts[static_cast<std::size_t>(support)] = lift;
    ShowState(state);
}

void TFormLoads::ResetLifts(SupportState state) {
    if (!coupled_) return;
    std::fill(Tab(state).lifts.begin(), Tab(state).lifts.end(), 0.0);
    ShowState(state);
}

// The lifts (all 0: none) in every state at once and in force from now on.
void TFormLoads::PutInForce(const std::vector<double>& lifts) {
    if (!coupled_ || lifts.size() != coupled_->line.supports.size()) return;
    SetAllLifts(lifts);
    liftsInForce_ = lifts;
    ShowInForce();
    emit LiftsPutInForce(lifts);
}

void TFormLoads::ShowInForce() {
    const std::string named = shaftline::io::LiftsInForceText(liftsInForce_, DecimalSeparator());
    inForce_->setText(named.empty()
                          ? QStringLiteral("Подъёмов опор в силе нет.")
                          : QString::fromStdString(named) +
                                QStringLiteral(". Они стоят в столбце «Дополнительный подъем» "
                                               "и сохраняются с книгой."));
}

// The chosen lifts, or none, in every state at once.
void TFormLoads::SetAllLifts(const std::vector<double>& lifts) {
    if (!coupled_ || lifts.size() != coupled_->line.supports.size()) return;
    for (SupportState state : shaftline::kSupportStates) {
        Tab(state).lifts = lifts;
        ShowState(state);
    }
}
