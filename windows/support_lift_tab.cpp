#include "support_lift_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "loads_grid.h"
#include "message_boxes.h"
#include "number_locale.h"
#include "number_text.h"

using shaftline::SupportState;

namespace {

// An optional number typed into a field; empty is none. Throws the message for a bad text.
std::optional<double> Typed(const QString& text, const QString& what) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    try {
        return shaftline::ParseReal(trimmed.toStdString(), DecimalSeparator());
    } catch (const shaftline::ConversionError&) {
        throw std::runtime_error((what + QStringLiteral(": «%1» не является числом").arg(trimmed)).toStdString());
    }
}

constexpr int kPressureDecimals = 2;  // kgf/cm²

// The table column of a journal row of the book.
int JournalColumn(int row) {
    return TSupportLiftTab::kTaskDiameter + row;
}

QString Number(double value, int decimals) {
    return QString::fromStdString(shaftline::FormatFixed(value, decimals, DecimalSeparator(), GroupSeparator()));
}

const char* const kResultCaptions[] = {"Опора",
                                       "Подъем, мм",
                                       "Что сделать",
                                       "Номинальный режим: до, кгс",
                                       "после, кгс",
                                       "давление после, кгс/см²",
                                       "момент до, кгс·мм",
                                       "момент после, кгс·мм",
                                       "Монтажное состояние: до, кгс",
                                       "после, кгс",
                                       "давление после, кгс/см²",
                                       "момент до, кгс·мм",
                                       "момент после, кгс·мм"};
// Columns of one state in the results: the load before, the load after, the pressure after,
// the moment before and after.
constexpr int kFirstStateColumn = 3;
constexpr int kStateColumns = 5;

}  // namespace

TSupportLiftTab::TSupportLiftTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabLifts"));
    target_ = new QComboBox(this);
    target_->setObjectName(QStringLiteral("ComboTarget"));
    target_->addItems({QStringLiteral("собственная"), QStringLiteral("задана по опорам")});
    band_ = new QLineEdit(this);
    band_->setObjectName(QStringLiteral("EditBand"));
    band_->setToolTip(QStringLiteral("Каждая нагрузка в пределах ± допуска от целевой; пусто — без допуска"));
    minLoad_ = new QLineEdit(this);
    minLoad_->setObjectName(QStringLiteral("EditMinLoad"));
    minLoad_->setToolTip(QStringLiteral("Ни одна опора не разгружается ниже; пусто — без ограничения"));
    nominal_ = new QCheckBox(QStringLiteral("Номинальный режим работы"), this);
    nominal_->setObjectName(QStringLiteral("CheckNominal"));
    nominal_->setChecked(true);
    assembly_ = new QCheckBox(QStringLiteral("Монтажное состояние"), this);
    assembly_->setObjectName(QStringLiteral("CheckAssembly"));
    assembly_->setChecked(true);
    auto* states = new QHBoxLayout();
    states->addWidget(nominal_);
    states->addWidget(assembly_);
    states->addStretch(1);
    auto* form = new QFormLayout();
    form->addRow(QStringLiteral("Целевая нагрузка"), target_);
    form->addRow(QStringLiteral("Допуск нагрузки, %"), band_);
    form->addRow(QStringLiteral("Наименьшая нагрузка, кгс"), minLoad_);
    form->addRow(QStringLiteral("Учитываемые состояния"), states);

    supports_ = new QTableWidget(this);
    supports_->setObjectName(QStringLiteral("GridTask"));
    supports_->setColumnCount(kTaskColumnCount);
    supports_->setHorizontalHeaderLabels({QStringLiteral("Опора"), QStringLiteral("Целевая нагрузка, кгс"),
                                          QStringLiteral("Закреплена"), QStringLiteral("Подъем от, мм"),
                                          QStringLiteral("Подъем до, мм"), QStringLiteral("Диаметр цапфы, мм"),
                                          QStringLiteral("Длина цапфы, мм"),
                                          QStringLiteral("Допустимое давление, кгс/см²")});

    auto* optimise = new QPushButton(QStringLiteral("Подобрать"), this);
    optimise->setObjectName(QStringLiteral("ButtonOptimise"));
    optimise->setAutoDefault(false);
    apply_ = new QPushButton(QStringLiteral("Применить"), this);
    apply_->setObjectName(QStringLiteral("ButtonApply"));
    apply_->setToolTip(QStringLiteral("Ввести подобранные подъемы опор во все состояния"));
    apply_->setAutoDefault(false);
    apply_->setEnabled(false);
    auto* clear = new QPushButton(QStringLiteral("Сбросить"), this);
    clear->setObjectName(QStringLiteral("ButtonClearLifts"));
    clear->setToolTip(QStringLiteral("Убрать подъемы опор из всех состояний"));
    clear->setAutoDefault(false);
    connect(supports_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() >= kTaskDiameter && item->column() <= kTaskPressure)
            emit JournalsEdited(Journals());
    });
    connect(optimise, &QPushButton::clicked, this, &TSupportLiftTab::Optimise);
    connect(apply_, &QPushButton::clicked, this, [this] {
        if (optimum_) emit LiftsApplied(optimum_->lifts);
    });
    connect(clear, &QPushButton::clicked, this, &TSupportLiftTab::LiftsCleared);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(optimise);
    buttons->addWidget(apply_);
    buttons->addWidget(clear);
    buttons->addStretch(1);

    // The objective and the limits that break, however many: a few lines that scroll.
    summary_ = new QPlainTextEdit(this);
    summary_->setObjectName(QStringLiteral("TextLifts"));
    summary_->setReadOnly(true);
    const int line = summary_->fontMetrics().lineSpacing();
    summary_->setMinimumHeight(3 * line + 12);
    summary_->setMaximumHeight(6 * line + 12);
    result_ = new TLoadsGrid(this);
    result_->setObjectName(QStringLiteral("GridLifts"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(supports_, 2);
    layout->addLayout(buttons);
    layout->addWidget(summary_);
    layout->addWidget(result_, 2);
}

void TSupportLiftTab::SetLine(const shaftline::CoupledShaftLine& coupled, int baseRotor,
                              const shaftline::io::JournalTexts& journals) {
    const QSignalBlocker quiet(supports_);
    journals_ = journals;
    coupled_ = &coupled;
    baseRotor_ = baseRotor;
    optimum_.reset();
    apply_->setEnabled(false);
    summary_->clear();
    result_->setRowCount(0);
    const std::vector<int> fixed = shaftline::DefaultFixedSupports(baseRotor);
    const int count = static_cast<int>(coupled.line.supports.size());
    supports_->setRowCount(count);
    for (int j = 0; j < count; ++j) {
        const shaftline::CoupledSupport& s = coupled.line.supports[static_cast<std::size_t>(j)];
        auto* label = new QTableWidgetItem(QString::fromStdString(shaftline::SupportLabel(s, j)));
        label->setFlags(Qt::ItemIsEnabled);
        supports_->setItem(j, kTaskSupport, label);
        supports_->setItem(j, kTaskTarget, new QTableWidgetItem(Number(s.ownLoad, shaftline::kCoupledLoadDecimals)));
        auto* held = new QTableWidgetItem();
        held->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        held->setCheckState(std::find(fixed.begin(), fixed.end(), j) != fixed.end() ? Qt::Checked : Qt::Unchecked);
        supports_->setItem(j, kTaskFixed, held);
        for (int column = kTaskMin; column < kTaskColumnCount; ++column)
            supports_->setItem(j, column, new QTableWidgetItem());
        for (int row = 0; row < shaftline::io::kJournalRows; ++row) {
            const std::vector<std::string>& texts = journals[static_cast<std::size_t>(row)];
            if (static_cast<std::size_t>(j) < texts.size())
                supports_->item(j, JournalColumn(row))
                    ->setText(QString::fromStdString(texts[static_cast<std::size_t>(j)]));
        }
    }
    supports_->resizeColumnsToContents();
}

shaftline::io::JournalTexts TSupportLiftTab::Journals() const {
    shaftline::io::JournalTexts journals = journals_;
    for (int row = 0; row < shaftline::io::kJournalRows; ++row) {
        std::vector<std::string>& texts = journals[static_cast<std::size_t>(row)];
        texts.resize(std::max(texts.size(), static_cast<std::size_t>(supports_->rowCount())));
        for (int j = 0; j < supports_->rowCount(); ++j) {
            const QTableWidgetItem* item = supports_->item(j, JournalColumn(row));
            texts[static_cast<std::size_t>(j)] =
                item != nullptr ? item->text().trimmed().toStdString() : std::string();
        }
    }
    return journals;
}

// The task as typed; none, after a message naming the field, when a text is no number.
std::optional<shaftline::SupportLiftTask> TSupportLiftTab::ReadTask() {
    shaftline::SupportLiftTask task;
    try {
        task.bandPercent = Typed(band_->text(), QStringLiteral("Допуск нагрузки"));
        task.minLoad = Typed(minLoad_->text(), QStringLiteral("Наименьшая нагрузка"));
        task.states.clear();
        if (nominal_->isChecked()) task.states.push_back(SupportState::kNominal);
        if (assembly_->isChecked()) task.states.push_back(SupportState::kAssembly);
        std::vector<int> fixed;
        bool ranged = false;
        const double inf = std::numeric_limits<double>::infinity();
        for (int j = 0; j < supports_->rowCount(); ++j) {
            const QString support = QStringLiteral("Опора %1").arg(j + 1);
            if (target_->currentIndex() == 1) {
                const std::optional<double> target =
                    Typed(supports_->item(j, kTaskTarget)->text(), support + QStringLiteral(", целевая нагрузка"));
                task.targets.push_back(target.value_or(0));
            }
            if (supports_->item(j, kTaskFixed)->checkState() == Qt::Checked) fixed.push_back(j);
            const std::optional<double> min = Typed(supports_->item(j, kTaskMin)->text(), support + QStringLiteral(", подъем от"));
            const std::optional<double> max = Typed(supports_->item(j, kTaskMax)->text(), support + QStringLiteral(", подъем до"));
            ranged = ranged || min || max;
            task.ranges.push_back({min.value_or(-inf), max.value_or(inf)});
            const std::optional<double> diameter =
                Typed(supports_->item(j, kTaskDiameter)->text(), support + QStringLiteral(", диаметр цапфы"));
            const std::optional<double> length =
                Typed(supports_->item(j, kTaskLength)->text(), support + QStringLiteral(", длина цапфы"));
            const std::optional<double> pressure =
                Typed(supports_->item(j, kTaskPressure)->text(), support + QStringLiteral(", допустимое давление"));
            if (diameter || length || pressure) {
                if (!diameter || !length)
                    throw std::runtime_error(
                        (support + QStringLiteral(": задайте и диаметр, и длину цапфы")).toStdString());
                task.journals.push_back({j, *diameter, *length, pressure});
            }
        }
        task.fixed = std::move(fixed);
        if (!ranged) task.ranges.clear();
    } catch (const std::runtime_error& e) {
        ShowMessage(this, QString::fromStdString(e.what()));
        return std::nullopt;
    }
    return task;
}

void TSupportLiftTab::Optimise() {
    if (coupled_ == nullptr) return;
    const std::optional<shaftline::SupportLiftTask> task = ReadTask();
    if (!task) return;
    shaftline::OrProblem<shaftline::SupportLiftOptimum> result =
        shaftline::OptimiseSupportLifts(*coupled_, *task, baseRotor_);
    if (!result.value) {
        ShowMessage(this, QString::fromStdString(result.problem));
        return;
    }
    optimum_ = std::move(result.value);
    apply_->setEnabled(true);
    ShowOptimum();
}

void TSupportLiftTab::ShowOptimum() {
    const shaftline::SupportLiftOptimum& o = *optimum_;
    QStringList lines;
    lines << QStringLiteral("Подъемы отсчитаны от высот опор без подъемов в силе; «до» — нагрузки "
                            "без них. «Применить» вводит подобранные подъемы вместо прежних.");
    lines << QStringLiteral("Целевая функция: до подбора %1, после %2")
                 .arg(QString::fromStdString(shaftline::FormatSignificant(o.objectiveBefore, 6, DecimalSeparator())),
                      QString::fromStdString(shaftline::FormatSignificant(o.objectiveAfter, 6, DecimalSeparator())));
    if (o.feasible) lines << QStringLiteral("Все ограничения выполнены.");
    else {
        lines << QStringLiteral("Ограничения не выполнимы вместе; подъемы подобраны только с закрепленными "
                                "опорами и границами подъема. Нарушены:");
        for (const shaftline::LoadViolation& v : o.violated) {
            lines << QStringLiteral("%1, опора %2: %3 %4 кгс, нагрузка %5 кгс")
                         .arg(QString::fromStdString(std::string(shaftline::SupportStateName(v.constraint.state))))
                         .arg(v.constraint.support + 1)
                         .arg(QString::fromUtf8(shaftline::LoadLimitName(v.constraint.kind)),
                              Number(v.constraint.limit, shaftline::kCoupledLoadDecimals),
                              Number(v.load, shaftline::kCoupledLoadDecimals));
        }
    }
    summary_->setPlainText(lines.join(QLatin1Char('\n')));

    const int count = static_cast<int>(o.lifts.size());
    result_->clear();
    result_->setColumnCount(static_cast<int>(std::size(kResultCaptions)));
    QStringList captions;
    for (const char* c : kResultCaptions) captions << QString::fromUtf8(c);
    result_->setHorizontalHeaderLabels(captions);
    result_->setRowCount(count);
    for (int j = 0; j < count; ++j) {
        const auto at = static_cast<std::size_t>(j);
        result_->SetText(j, 0, QString::number(j + 1));
        result_->SetNumber(j, 1, o.lifts[at], shaftline::kCoupledLengthDecimals);
        result_->SetText(j, 2, QString::fromStdString(shaftline::LiftPhrase(j, o.lifts[at], DecimalSeparator())));
        int column = kFirstStateColumn;
        for (const shaftline::LiftedState& s : o.states) {
            result_->SetNumber(j, column++, s.before.loads[at], shaftline::kCoupledLoadDecimals);
            result_->SetNumber(j, column++, s.after.loads[at], shaftline::kCoupledLoadDecimals);
            if (s.pressuresAfter[at]) result_->SetNumber(j, column, *s.pressuresAfter[at], kPressureDecimals);
            else result_->SetText(j, column, QString());
            ++column;
            result_->SetNumber(j, column++, s.before.moments[at], shaftline::kCoupledMomentDecimals);
            result_->SetNumber(j, column++, s.after.moments[at], shaftline::kCoupledMomentDecimals);
        }
    }
    MarkViolations();
    result_->FitColumns();
}

// A load after the lifts that breaks a limit is red, its tooltip naming the limit.
void TSupportLiftTab::MarkViolations() {
    const shaftline::SupportLiftOptimum& o = *optimum_;
    for (const shaftline::LoadViolation& v : o.violated) {
        for (std::size_t s = 0; s < o.states.size(); ++s) {
            if (o.states[s].state != v.constraint.state) continue;
            QTableWidgetItem* load = result_->item(
                v.constraint.support, kFirstStateColumn + 1 + kStateColumns * static_cast<int>(s));
            if (load == nullptr) continue;
            load->setForeground(Qt::red);
            const QString limit = QStringLiteral("%1 %2 кгс").arg(
                QString::fromUtf8(shaftline::LoadLimitName(v.constraint.kind)),
                Number(v.constraint.limit, shaftline::kCoupledLoadDecimals));
            load->setToolTip(load->toolTip().isEmpty() ? limit : load->toolTip() + QLatin1Char('\n') + limit);
        }
    }
}
