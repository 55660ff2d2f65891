// The chart's own zoom tools beside the wheel: "Показать все" in the context menu and zooming
// into a rectangle dragged with the left button.
#include <QAction>
#include <QLineSeries>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>

#include "elastic_line_charts.h"
#include "line_chart.h"
#include "chart_export_menu.h"

namespace {

const std::vector<std::pair<double, double>> kLine = {{0, -0.5}, {3000, -2.5}, {7000, 1.5}};

bool Near(double a, double b, double span) {
    return std::fabs(a - b) <= 1e-6 * span;
}

}  // namespace

class TestChartZoomTools : public QObject {
    Q_OBJECT
  private slots:
    // After any wheel zooms, "Показать все" gives the range and the counter the menu command
    // "Ввод параметров" gives a freshly filled chart.
    void showAllReturnsToTheFirstZoom() {
        QWidget window;
        auto* panel1 = new QWidget(&window);
        auto* panel2 = new QWidget(&window);
        ElasticLineCharts charts(panel1, panel2);
        InstallChartExportMenus(charts);
        LineChart* chart = charts.Chart2();
        chart->AddPoints(0, kLine);
        LineChart fresh(QStringLiteral("Fresh"), QString(), {{QStringLiteral("S"), Qt::red}}, false);
        fresh.AddPoints(0, kLine);
        fresh.Zoom(90);

        charts.SetChartZoom(90);
        chart->Zoom(90);
        for (int notch = 0; notch < 7; ++notch) charts.Chart2MouseWheelUp();
        QVERIFY(charts.ChartZoom() != 90);
        chart->AddPoints(1, {{9000, 8}});  // drawn later, outside the fixed range
        auto* menu = chart->findChild<QMenu*>("Chart2Menu");
        QAction* showAll = menu->actions().value(0);
        QCOMPARE(showAll->objectName(), QString("ShowAll"));
        QCOMPARE(showAll->text(), QString("Показать все"));
        showAll->trigger();
        QCOMPARE(charts.ChartZoom(), 90);
        fresh.AddPoints(0, {{9000, 8}});
        fresh.FitAll(90);
        QCOMPARE(chart->XRange().min, fresh.XRange().min);
        QCOMPARE(chart->XRange().max, fresh.XRange().max);
        QCOMPARE(chart->YRange().max, fresh.YRange().max);
        QVERIFY(chart->XRange().max > 9000);
    }

    // The values under the corners of the dragged rectangle become the axis ends.
    void dragZoomsIntoTheRectangle() {
        LineChart chart(QStringLiteral("ChartT"), QString(), {{QStringLiteral("S"), Qt::red}},
                        false);
        chart.resize(800, 400);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        chart.AddPoints(0, kLine);
        QTest::qWait(20);
        const QPoint from(250, 120), to(500, 260);
        const auto valueAt = [&chart](QPoint p) {
            return chart.chart()->mapToValue(
                chart.chart()->mapFromScene(chart.mapToScene(p)), chart.Series(0));
        };
        const QPointF a = valueAt(from);
        const QPointF b = valueAt(to);
        QWidget* viewport = chart.viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport, (from + to) / 2);
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
        QVERIFY(chart.AxesFixed());
        const double span = 10000;
        QVERIFY(Near(chart.XRange().min, a.x(), span) && Near(chart.XRange().max, b.x(), span));
        QVERIFY(Near(chart.YRange().min, b.y(), span) && Near(chart.YRange().max, a.y(), span));

        // A click without a drag zooms nowhere.
        const auto before = chart.XRange();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(300, 200));
        QCOMPARE(chart.XRange().min, before.min);
        QCOMPARE(chart.XRange().max, before.max);
    }
};

QTEST_MAIN(TestChartZoomTools)
#include "test_chart_zoom_tools.moc"
