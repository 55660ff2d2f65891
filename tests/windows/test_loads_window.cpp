// "Нагрузки на опоры" and its window on the sample book aligned to a base rotor: the tables as
// the core computes them, negative loads marked, the what-if lifts with their refusals, Ctrl+C.
#include <QApplication>
#include <QBarSet>
#include <QClipboard>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <cmath>

#include "coupled_shaft_line.h"
#include "loads_chart.h"
#include "loads_form.h"
#include "loads_grid.h"
#include "number_text.h"
#include "test_window_support.h"

using shaftline::SupportState;

namespace {

QString Fixed(double value, int decimals) {
    return LocaleFixed(value, decimals);
}

void WithLoadsWindow(ModalWatcher& watcher, const std::function<void(ModalWatcher&)>& inside) {
    WithWindowOf("ButtonLoads", watcher, inside);
}

shaftline::CoupledShaftLine CoreResult() {
    const int count = FormDataInput->RotorCountText().toInt();
    auto result = shaftline::CalcCoupledShaftLine(FormDataInput->Rotors(), count);
    if (!result.value) qFatal("%s", result.problem.c_str());
    return std::move(*result.value);
}

}  // namespace

class TestLoadsWindow : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        CreateAppWindows();
    }
    void cleanup() { DestroyAppWindows(); }

    void refusedWithoutACalculationRun() {
        ModalWatcher watcher;
        QTest::mouseClick(Control<QPushButton>("ButtonLoads"), Qt::LeftButton);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(watcher.boxes[0].text,
                 QString("Нет результатов расчета для ротора 1. Чтобы увидеть нагрузки на опоры, "
                         "сначала нажмите кнопку \"Расчет\"."));
        QVERIFY(watcher.dialogs.empty());

        // Records that give no finite elevations open no window either.
        CalculateSampleAligned(watcher);
        FormDataInput->Rotors()[2]->SetLineOffset(0, std::nan(""));
        FormDataInput->Rotors()[1]->SetLineOffset(0, std::nan(""));
        QTest::mouseClick(Control<QPushButton>("ButtonLoads"), Qt::LeftButton);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QVERIFY(watcher.boxes[0].text.startsWith("Нагрузки на опоры не определены"));
        QVERIFY(watcher.dialogs.empty());
    }

    void tablesShowWhatTheCoreComputes() {
        ModalWatcher watcher;
        CalculateSampleAligned(watcher);
        const shaftline::CoupledShaftLine core = CoreResult();
        const int supports = static_cast<int>(core.line.supports.size());
        bool checked = false;
        WithLoadsWindow(watcher, [&](ModalWatcher&) {
            QCOMPARE(FormLoads->windowTitle(), QString("Нагрузки на опоры"));
            QVERIFY(FormLoads->findChild<QLabel*>("LabelNote")->text().contains("дисками"));
            QTabWidget* tabs = FormLoads->PageControl1();
            QCOMPARE(tabs->count(), 5);
            QCOMPARE(tabs->tabText(1), QString("Номинальный режим работы"));
            QCOMPARE(tabs->tabText(3), QString("Коэффициенты влияния, кгс/мм"));
            QCOMPARE(tabs->tabText(4), QString("Подбор высот опор"));
            bool negativeSeen = false;
            for (SupportState state : shaftline::kSupportStates) {
                const shaftline::CoupledState& expected = core.State(state);
                TLoadsGrid* grid = FormLoads->StateGrid(state);
                QCOMPARE(grid->rowCount(), supports);
                QCOMPARE(grid->horizontalHeaderItem(TFormLoads::kShiftColumn)->text(),
                         QString("Изменение нагрузки, кгс"));
                QCOMPARE(grid->item(2, TFormLoads::kSupportColumn)->text(),
                         QString("3 (роторы 2 и 3)"));
                QStringList unloaded;
                for (int j = 0; j < supports; ++j) {
                    const auto at = static_cast<std::size_t>(j);
                    QTableWidgetItem* load = grid->item(j, TFormLoads::kLoadColumn);
                    QCOMPARE(load->text(), Fixed(expected.loads[at], 1));
                    QCOMPARE(grid->item(j, TFormLoads::kMomentColumn)->text(),
                             Fixed(expected.moments[at], 0));
                    QCOMPARE(grid->item(j, TFormLoads::kElevationColumn)->text(),
                             Fixed(expected.elevations[at], 3));
                    QCOMPARE(grid->item(j, TFormLoads::kShiftColumn)->text(),
                             Fixed(expected.loads[at] - core.line.supports[at].ownLoad, 1));
                    const bool negative = expected.loads[at] < 0;
                    QCOMPARE(load->foreground().color() == QColor(Qt::red), negative);
                    QCOMPARE(load->toolTip().isEmpty(), !negative);
                    if (negative) unloaded << grid->item(j, TFormLoads::kSupportColumn)->text();
                    negativeSeen |= negative;
                }
                const QString line = FormLoads->UnloadedLabel(state)->text();
                for (const QString& support : unloaded)
                    QVERIFY2(line.contains(support), qPrintable(line));
                QCOMPARE(line.isEmpty(), unloaded.isEmpty());
                QCOMPARE(FormLoads->StateChart(state)->CoupledSet()->count(), supports);
                QCOMPARE(FormLoads->StateChart(state)->OwnSet()->at(0),
                         core.line.supports[0].ownLoad);
            }
            QVERIFY(negativeSeen);  // the sample's assembly state lifts the shaft off bearings
            QCOMPARE(FormLoads->StateGrid(SupportState::kAssembly)
                         ->item(0, TFormLoads::kLoadColumn)
                         ->toolTip()
                         .isEmpty(),
                     core.State(SupportState::kAssembly).loads[0] >= 0);
            TLoadsGrid* influence = FormLoads->InfluenceGrid();
            QCOMPARE(influence->rowCount(), supports);
            QCOMPARE(influence->columnCount(), supports + 1);
            QCOMPARE(influence->item(1, 3)->text(), Fixed(core.influence[1][2], 1));
            checked = true;
        });
        QVERIFY(checked);
        QCOMPARE(watcher.dialogs, std::vector<QString>{"FormLoads"});
    }

    void whatIfLiftsRefusalsAndCopy() {
        ModalWatcher watcher;
        CalculateSampleAligned(watcher);
        const shaftline::CoupledShaftLine core = CoreResult();
        const double offsetBefore = FormDataInput->Rotors()[1]->SectionsView()[0].LineOffset;
        std::vector<SeenBox> boxes;
        WithLoadsWindow(watcher, [&](ModalWatcher& inner) {
            constexpr auto kNominal = SupportState::kNominal;
            FormLoads->PageControl1()->setCurrentIndex(static_cast<int>(kNominal));
            TLoadsGrid* grid = FormLoads->StateGrid(kNominal);
            const std::vector<double> before = FormLoads->ShownState(kNominal).loads;
            TypeIntoCell(grid, 2, TFormLoads::kLiftColumn, "0,25");
            QCOMPARE(FormLoads->Lifts(kNominal)[2], 0.25);
            const std::vector<double>& after = FormLoads->ShownState(kNominal).loads;
            for (std::size_t i = 0; i < after.size(); ++i) {
                const double expected = before[i] + core.influence[i][2] * 0.25;
                QVERIFY(std::fabs(after[i] - expected) <= 1e-9 * std::fabs(core.influence[2][2]));
                QCOMPARE(grid->item(static_cast<int>(i), TFormLoads::kLoadColumn)->text(),
                         Fixed(after[i], 1));
            }
            QCOMPARE(grid->item(2, TFormLoads::kLiftColumn)->text(), QString("0,250"));
            QCOMPARE(FormLoads->StateChart(kNominal)->CoupledSet()->at(2), after[2]);
            // The other states keep their own lifts.
            QCOMPARE(FormLoads->ShownState(SupportState::kLevel).loads,
                     core.State(SupportState::kLevel).loads);

            TypeIntoCell(grid, 2, TFormLoads::kLiftColumn, "abc");
            QTRY_COMPARE(inner.boxes.size(), std::size_t(1));
            QTRY_VERIFY(QApplication::activeModalWidget() == FormLoads);
            TypeIntoCell(grid, 2, TFormLoads::kLiftColumn, "-5000");
            QTRY_COMPARE(inner.boxes.size(), std::size_t(2));
            QTRY_VERIFY(QApplication::activeModalWidget() == FormLoads);
            QCOMPARE(FormLoads->Lifts(kNominal)[2], 0.25);
            QCOMPARE(grid->item(2, TFormLoads::kLiftColumn)->text(), QString("0,250"));
            boxes = inner.boxes;

            grid->setFocus();
            QTest::keySequence(grid, QKeySequence::Copy);
            const QStringList lines = QApplication::clipboard()->text().split('\n');
            QCOMPARE(lines.size(), grid->rowCount() + 2);  // header, rows, final newline
            QVERIFY(lines[0].startsWith("Опора\tКоордината, мм\tВысотное положение, мм\t"));
            const QStringList row = lines[3].split('\t');
            QCOMPARE(row[TFormLoads::kLiftColumn], QString("0,25"));
            QCOMPARE(row[TFormLoads::kLoadColumn],
                     QString::fromStdString(shaftline::FormatShortest(after[2], ",")));

            QTest::mouseClick(FormLoads->findChild<QPushButton*>("ButtonResetNominal"),
                              Qt::LeftButton);
            QCOMPARE(FormLoads->Lifts(kNominal)[2], 0.0);
            QCOMPARE(FormLoads->ShownState(kNominal).loads, before);
        });
        QCOMPARE(boxes.size(), std::size_t(2));
        QCOMPARE(boxes[0].text, QString("Дополнительный подъем опоры 3: 'abc' не является числом. "
                                        "Остается прежнее значение."));
        QVERIFY(boxes[1].text.contains("'-5000' больше 1000 мм по величине"));
        // The what-if never reaches the rotor records.
        QCOMPARE(FormDataInput->Rotors()[1]->SectionsView()[0].LineOffset, offsetBefore);
        QCOMPARE(CoreResult().State(SupportState::kNominal).loads,
                 core.State(SupportState::kNominal).loads);
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestLoadsWindow)
#include "test_loads_window.moc"
