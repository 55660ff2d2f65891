// The loads window as an engineer reads it: each support row names its bearing (and in the
// assembly state the rise taken off it), negative bars in red like their cells, the supports
// carrying more than twice their own load named under the table, and every window inside a
// small screen.
#include <QBarSet>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "coupled_overload.h"
#include "loads_chart.h"
#include "loads_form.h"
#include "loads_grid.h"
#include "main_window.h"
#include "param_form.h"
#include "rotor_sketch_form.h"
#include "support_bearing.h"
#include "test_window_support.h"

using shaftline::SupportState;

class TestLoadsGuidance : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        CreateAppWindows();
    }
    void cleanup() { DestroyAppWindows(); }

    void rowsNameTheirBearingsAndMarksFollowTheLoads() {
        ModalWatcher watcher;
        CalculateSampleAligned(watcher);
        const int count = FormDataInput->RotorCountText().toInt();
        QVERIFY(count >= 3);
        QVERIFY(FormLoads->FillLoads(FormDataInput->Rotors(), count));
        for (SupportState state : shaftline::kSupportStates) {
            TLoadsGrid* grid = FormLoads->StateGrid(state);
            QCOMPARE(grid->item(1, TFormLoads::kBearingColumn)->text().section(u',', 0, 1),
                     QString("ротор 1, правая опора"));
            QCOMPARE(grid->item(2, TFormLoads::kBearingColumn)->text().section(u',', 0, 1),
                     QString("ротор 3, левая опора"));
            const shaftline::CoupledState& shown = FormLoads->ShownState(state);
            QStringList overloaded;
            for (int j = 0; j < grid->rowCount(); ++j) {
                const QString bearing = grid->item(j, TFormLoads::kBearingColumn)->text();
                QCOMPARE(bearing.contains("подъем"), state == SupportState::kAssembly);
                const bool negative = shown.loads[static_cast<std::size_t>(j)] < 0;
                QCOMPARE(FormLoads->StateChart(state)->CoupledSet()->isBarSelected(j), negative);
            }
            const auto line = FormLoads->OverloadedLabel(state)->text();
            const std::vector<int> expected = shaftline::OverloadedSupports(
                shaftline::CalcCoupledShaftLine(FormDataInput->Rotors(), count).value->line, shown);
            QCOMPARE(line.isEmpty(), expected.empty());
            for (int j : expected)
                QVERIFY2(line.contains(grid->item(j, TFormLoads::kSupportColumn)->text()),
                         qPrintable(line));
        }
        QCOMPARE(FormLoads->StateChart(SupportState::kNominal)->CoupledSet()->selectedColor(),
                 QColor(Qt::red));
    }

    // The bearing of a support: the odd rotor's, whichever side the even piece lies on.
    void bearingOfEachSupport_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("support");
        QTest::addColumn<QString>("bearing");
        QTest::newRow("first") << 3 << 0 << "ротор 1, левая опора";
        QTest::newRow("right of an odd rotor") << 3 << 1 << "ротор 1, правая опора";
        QTest::newRow("left of an odd rotor") << 3 << 2 << "ротор 3, левая опора";
        QTest::newRow("last") << 3 << 3 << "ротор 3, правая опора";
        QTest::newRow("last of an even count") << 4 << 4 << "ротор 4, правая опора";
    }
    void bearingOfEachSupport() {
        QFETCH(int, count);
        QFETCH(int, support);
        QFETCH(QString, bearing);
        QCOMPARE(QString::fromStdString(
                     shaftline::BearingLabel(shaftline::BearingOfSupport(count, support))),
                 bearing);
    }

    void windowsOpenInsideTheScreen() {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        for (QWidget* window : std::initializer_list<QWidget*>{Form1, FormDataInput, FormParam,
                                                               FormRotorSketch, FormLoads}) {
            window->show();
            const QRect frame = window->frameGeometry();
            QVERIFY2(area.contains(frame),
                     qPrintable(QStringLiteral("%1: %2,%3 %4×%5 min %6×%7")
                                    .arg(window->objectName())
                                    .arg(frame.x())
                                    .arg(frame.y())
                                    .arg(frame.width())
                                    .arg(frame.height())
                                    .arg(window->minimumSizeHint().width())
                                    .arg(window->minimumSizeHint().height())));
            window->hide();
        }
        // The data-entry window's panels are wider than this screen: they scroll.
        FormDataInput->show();
        QTest::qWait(20);
        auto* scroll = FormDataInput->findChild<QScrollArea*>("DataInputScroll");
        QVERIFY(scroll->horizontalScrollBar()->isVisible());
        FormDataInput->hide();
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestLoadsGuidance)
#include "test_loads_guidance.moc"
