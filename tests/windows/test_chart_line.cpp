#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QValueAxis>
#include <QWheelEvent>
#include <QtTest>

#include "line_chart.h"

using Points = QList<QPointF>;
using Range = std::pair<double, double>;

Q_DECLARE_METATYPE(Range)

namespace {

std::unique_ptr<LineChart> MakeChart(int seriesCount = 3) {
    std::vector<LineChart::SeriesStyle> styles;
    const QColor colours[] = {{255, 0, 0}, {0, 0, 0}, {0, 128, 0}};
    for (int i = 0; i < seriesCount; ++i)
        styles.push_back({QStringLiteral("S%1").arg(i), colours[i % 3]});
    return std::make_unique<LineChart>(QStringLiteral("ChartT"), QStringLiteral("Заголовок"),
                                       styles, false);
}

// The range the user sees on the drawn axis, not the chart's own bookkeeping.
Range ShownRange(const LineChart& chart, Qt::Orientation o) {
    const auto axes = chart.chart()->axes(o);
    auto* axis = qobject_cast<QValueAxis*>(axes.value(0));
    return axis ? Range{axis->min(), axis->max()} : Range{0, 0};
}

struct Tick {
    QString label;
    double value;
};

// The labelled ticks of an axis, in ascending order.
QList<Tick> Ticks(const LineChart& chart, Qt::Orientation o) {
    QList<Tick> ticks;
    auto* axis = qobject_cast<QCategoryAxis*>(chart.chart()->axes(o).value(0));
    if (axis == nullptr) return ticks;
    for (const QString& label : axis->categoriesLabels())
        ticks.append({label, axis->endValue(label)});
    return ticks;
}

// Ticks at multiples of one step of 1, 2 or 5 × 10^k, inside the shown range, each labelled with
// its own value in the locale and without trailing zeros.
void CheckRoundTicks(const LineChart& chart, Qt::Orientation o) {
    const QList<Tick> ticks = Ticks(chart, o);
    const Range range = ShownRange(chart, o);
    QVERIFY2(ticks.size() >= 2, qPrintable(QString::number(ticks.size())));
    const double step = ticks[1].value - ticks[0].value;
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    QVERIFY2(qFuzzyCompare(mantissa, 1.0) || qFuzzyCompare(mantissa, 2.0) ||
                 qFuzzyCompare(mantissa, 5.0),
             qPrintable(QString::number(step)));
    const QRegularExpression trailingZero(QStringLiteral("[.,]\\d*0$|[.,]$"));
    for (const Tick& t : ticks) {
        QVERIFY(t.value >= range.first && t.value <= range.second);
        const double multiple = t.value / step;
        QVERIFY2(qAbs(multiple - std::round(multiple)) < 1e-6, qPrintable(t.label));
        bool ok = false;
        QVERIFY2(qAbs(QLocale().toDouble(t.label, &ok) - t.value) <= 1e-9 * step && ok,
                 qPrintable(t.label));
        QVERIFY2(!t.label.contains(trailingZero), qPrintable(t.label));
    }
}

void Wheel(LineChart& chart, int angle) {
    const QPointF at(chart.width() / 2.0, chart.height() / 2.0);
    QWheelEvent event(at, chart.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(chart.viewport(), &event);
}

void CompareRange(Range actual, Range expected) {
    auto near = [](double a, double b) { return qAbs(a - b) <= 1e-9 * qMax(1.0, qAbs(b)); };
    QVERIFY2(near(actual.first, expected.first) && near(actual.second, expected.second),
             qPrintable(QStringLiteral("[%1, %2] instead of [%3, %4]")
                            .arg(actual.first)
                            .arg(actual.second)
                            .arg(expected.first)
                            .arg(expected.second)));
}

}  // namespace

class TestLineChart : public QObject {
    Q_OBJECT
  private slots:
    void keepsSeriesNamesAndColoursAfterTheTheme();
    void keepsAscendingX_data();
    void keepsAscendingX();
    void clearTouchesOnlyItsSeries();
    void ignoresWhatItCannotDraw();
    void fitsAxesToAllSeries();
    void zoomsEveryAxis_data();
    void zoomsEveryAxis();
    void zoomFixesAxesAndCompounds();
    void emptyChartHasDefaultRangeAndZooms();
    void zeroSpanDataStillGivesAnAxis();
    void wheelGivesOneNotificationPerNotch_data();
    void wheelGivesOneNotificationPerNotch();
    void ticksSitAtRoundValues_data();
    void ticksSitAtRoundValues();
    void tickCountFollowsTheChartSize();
    void animatedZoomSurvivesTicksChangingMidway();
};

void TestLineChart::keepsSeriesNamesAndColoursAfterTheTheme() {
    auto chart = MakeChart();
    QCOMPARE(chart->objectName(), QStringLiteral("ChartT"));
    QCOMPARE(chart->chart()->title(), QStringLiteral("Заголовок"));
    QVERIFY(!chart->chart()->legend()->isVisible());
    QCOMPARE(chart->SeriesCount(), 3);
    // A black series is the case a theme silently replaces.
    QCOMPARE(chart->Series(1)->objectName(), QStringLiteral("S1"));
    QCOMPARE(chart->Series(1)->color(), QColor(0, 0, 0));
    QCOMPARE(chart->Series(2)->color(), QColor(0, 128, 0));
    QCOMPARE(chart->Series(3), nullptr);
    QCOMPARE(chart->Series(-1), nullptr);
}

void TestLineChart::keepsAscendingX_data() {
    QTest::addColumn<Points>("added");
    QTest::addColumn<Points>("kept");
    QTest::newRow("in order") << Points{{0, 1}, {1, 2}, {2, 3}} << Points{{0, 1}, {1, 2}, {2, 3}};
    QTest::newRow("smaller x goes before")
        << Points{{5, 1}, {1, 2}, {3, 3}} << Points{{1, 2}, {3, 3}, {5, 1}};
    QTest::newRow("equal x goes after the existing ones")
        << Points{{1, 10}, {2, 20}, {1, 11}, {1, 12}} << Points{{1, 10}, {1, 11}, {1, 12}, {2, 20}};
    QTest::newRow("negative x first") << Points{{0, 0}, {-4, 1}} << Points{{-4, 1}, {0, 0}};
}

void TestLineChart::keepsAscendingX() {
    QFETCH(Points, added);
    QFETCH(Points, kept);
    auto chart = MakeChart();
    for (const QPointF& p : added) chart->AddXY(0, p.x(), p.y());
    QCOMPARE(chart->Series(0)->points(), kept);

    auto bulk = MakeChart();
    std::vector<std::pair<double, double>> all;
    for (const QPointF& p : added) all.emplace_back(p.x(), p.y());
    bulk->AddPoints(0, all);
    QCOMPARE(bulk->Series(0)->points(), kept);
}

void TestLineChart::clearTouchesOnlyItsSeries() {
    auto chart = MakeChart();
    chart->AddPoints(0, {{0, 1}, {1, 1}});
    chart->AddPoints(2, {{0, 2}});
    chart->Clear(0);
    QCOMPARE(chart->Series(0)->count(), 0);
    QCOMPARE(chart->Series(2)->count(), 1);
    chart->AddXY(0, 7, 7);
    QCOMPARE(chart->Series(0)->points(), Points{QPointF(7, 7)});
}

void TestLineChart::ignoresWhatItCannotDraw() {
    auto chart = MakeChart();
    chart->AddXY(3, 1, 1);
    chart->AddXY(-1, 1, 1);
    chart->Clear(99);
    chart->AddXY(0, qQNaN(), 1);
    chart->AddXY(0, 1, qInf());
    chart->AddXY(0, 2, 5);
    QCOMPARE(chart->Series(0)->points(), Points{QPointF(2, 5)});
}

void TestLineChart::fitsAxesToAllSeries() {
    auto chart = MakeChart();
    chart->AddPoints(0, {{0, -1}, {10, 0.5}});
    chart->AddPoints(2, {{20, -3}, {30, 2}});
    CompareRange(ShownRange(*chart, Qt::Horizontal), {0, 30});
    CompareRange(ShownRange(*chart, Qt::Vertical), {-3, 2});
    // Emptying the widest series refits while the axes are automatic.
    chart->Clear(2);
    CompareRange(ShownRange(*chart, Qt::Horizontal), {0, 10});
    CompareRange(ShownRange(*chart, Qt::Vertical), {-1, 0.5});
    QVERIFY(!chart->AxesFixed());
}

void TestLineChart::zoomsEveryAxis_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<Range>("x");
    QTest::addColumn<Range>("y");
    // Data spans x 0..100 and y -2..2.
    QTest::newRow("90: a tenth each side") << 90 << Range{-10, 110} << Range{-2.4, 2.4};
    QTest::newRow("100: unchanged") << 100 << Range{0, 100} << Range{-2, 2};
    QTest::newRow("110: zoom in") << 110 << Range{10, 90} << Range{-1.6, 1.6};
    QTest::newRow("0: a whole span each side") << 0 << Range{-100, 200} << Range{-6, 6};
    QTest::newRow("-1") << -1 << Range{-101, 201} << Range{-6.04, 6.04};
    QTest::newRow("2") << 2 << Range{-98, 198} << Range{-5.92, 5.92};
    QTest::newRow("149: narrowest") << 149 << Range{49, 51} << Range{-0.04, 0.04};
    QTest::newRow("int min: no overflow")
        << std::numeric_limits<int>::min() << Range{-2147483748.0, 2147483848.0}
        << Range{-85899351.92, 85899351.92};
    // These would collapse or turn the axis inside out: it keeps its range.
    QTest::newRow("150") << 150 << Range{0, 100} << Range{-2, 2};
    QTest::newRow("199") << 199 << Range{0, 100} << Range{-2, 2};
    QTest::newRow("int max") << std::numeric_limits<int>::max() << Range{0, 100} << Range{-2, 2};
}

void TestLineChart::zoomsEveryAxis() {
    QFETCH(int, percent);
    QFETCH(Range, x);
    QFETCH(Range, y);
    auto chart = MakeChart();
    chart->AddPoints(0, {{0, -2}, {50, 0}, {100, 2}});
    chart->Zoom(percent);
    CompareRange(ShownRange(*chart, Qt::Horizontal), x);
    CompareRange(ShownRange(*chart, Qt::Vertical), y);
    QVERIFY(chart->AxesFixed());
}

void TestLineChart::zoomFixesAxesAndCompounds() {
    auto chart = MakeChart();
    chart->AddPoints(0, {{0, 0}, {100, 10}});
    chart->Zoom(90);
    // Points outside the fixed range do not refit it.
    chart->AddXY(1, 500, -50);
    chart->Clear(0);
    CompareRange(ShownRange(*chart, Qt::Horizontal), {-10, 110});
    CompareRange(ShownRange(*chart, Qt::Vertical), {-1, 11});
    // The next zoom starts from the range the last one left.
    chart->Zoom(90);
    CompareRange(ShownRange(*chart, Qt::Horizontal), {-22, 122});
    CompareRange(ShownRange(*chart, Qt::Vertical), {-2.2, 12.2});
}

void TestLineChart::emptyChartHasDefaultRangeAndZooms() {
    auto chart = MakeChart();
    const Range empty{LineChart::kEmptyRange.min, LineChart::kEmptyRange.max};
    CompareRange(ShownRange(*chart, Qt::Horizontal), empty);
    chart->AddXY(0, 3, 4);
    chart->Clear(0);
    CompareRange(ShownRange(*chart, Qt::Vertical), empty);
    // Zooming nothing leaves the default range automatic: the first data drawn is fitted.
    chart->Zoom(90);
    chart->Zoom(-1);
    QVERIFY(!chart->AxesFixed());
    CompareRange(ShownRange(*chart, Qt::Horizontal), empty);
    CompareRange(ShownRange(*chart, Qt::Vertical), empty);
    chart->AddPoints(0, {{0, 0}, {100, 10}});
    chart->Zoom(90);
    CompareRange(ShownRange(*chart, Qt::Horizontal), {-10, 110});
    CompareRange(ShownRange(*chart, Qt::Vertical), {-1, 11});
}

void TestLineChart::zeroSpanDataStillGivesAnAxis() {
    auto chart = MakeChart();
    chart->AddPoints(0, {{0, 0}, {100, 0}});
    const Range y = ShownRange(*chart, Qt::Vertical);
    QVERIFY(y.first < 0 && y.second > 0);
    chart->Zoom(90);
    const Range zoomed = ShownRange(*chart, Qt::Vertical);
    QVERIFY(zoomed.first < y.first && zoomed.second > y.second);
}

void TestLineChart::wheelGivesOneNotificationPerNotch_data() {
    QTest::addColumn<QList<int>>("angles");
    QTest::addColumn<QList<bool>>("notches");
    QTest::newRow("one up") << QList<int>{120} << QList<bool>{true};
    QTest::newRow("one down") << QList<int>{-120} << QList<bool>{false};
    QTest::newRow("two at once") << QList<int>{-240} << QList<bool>{false, false};
    QTest::newRow("fine steps add up") << QList<int>{60, 30, 30} << QList<bool>{true};
    QTest::newRow("half notch is nothing") << QList<int>{60} << QList<bool>{};
    QTest::newRow("up then down") << QList<int>{120, -120} << QList<bool>{true, false};
}

void TestLineChart::wheelGivesOneNotificationPerNotch() {
    QFETCH(QList<int>, angles);
    QFETCH(QList<bool>, notches);
    auto chart = MakeChart();
    chart->resize(400, 300);
    chart->AddPoints(0, {{0, 0}, {100, 10}});
    QSignalSpy spy(chart.get(), &LineChart::WheelNotch);
    for (int a : angles) Wheel(*chart, a);
    QList<bool> seen;
    for (const QList<QVariant>& args : spy) seen.append(args.at(0).toBool());
    QCOMPARE(seen, notches);
    // The notification is all: the view itself neither scrolls nor zooms.
    CompareRange(ShownRange(*chart, Qt::Horizontal), {0, 100});
}

void TestLineChart::ticksSitAtRoundValues_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<Points>("points");
    QTest::addColumn<int>("zoom");
    // The sample shaft line zoomed out to 90 %: an axis from -2947 to 32417 mm.
    QTest::newRow("shaft line") << "C" << Points{{0, -0.57}, {29470, 21.4}} << 90;
    QTest::newRow("shaft line, decimal comma")
        << "ru_RU" << Points{{0, -0.57}, {29470, 21.4}} << 90;
    QTest::newRow("hundredths of a millimetre")
        << "ru_RU" << Points{{-1.5, -0.023}, {3.7, 0.031}} << 93;
    QTest::newRow("zoomed far in") << "C" << Points{{0, 0}, {1000, 1}} << 149;
    QTest::newRow("zoomed far out") << "C" << Points{{0, 0}, {1000, 1}} << -1;
}

void TestLineChart::ticksSitAtRoundValues() {
    QFETCH(QString, locale);
    QFETCH(Points, points);
    QFETCH(int, zoom);
    QLocale::setDefault(QLocale(locale));
    auto chart = MakeChart();
    chart->resize(800, 300);
    chart->show();
    QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
    chart->AddPoints(0, {{points[0].x(), points[0].y()}, {points[1].x(), points[1].y()}});
    chart->Zoom(zoom);
    QCoreApplication::processEvents();
    CheckRoundTicks(*chart, Qt::Horizontal);
    CheckRoundTicks(*chart, Qt::Vertical);
    QLocale::setDefault(QLocale::c());
}

void TestLineChart::tickCountFollowsTheChartSize() {
    auto chart = MakeChart();
    chart->resize(300, 200);
    chart->show();
    QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
    chart->AddPoints(0, {{0, 0}, {1000, 1}});
    QCoreApplication::processEvents();
    const qsizetype small = Ticks(*chart, Qt::Horizontal).size();
    chart->resize(1200, 600);
    QCoreApplication::processEvents();
    QVERIFY2(Ticks(*chart, Qt::Horizontal).size() > small,
             qPrintable(QString::number(Ticks(*chart, Qt::Horizontal).size())));
    CompareRange(ShownRange(*chart, Qt::Horizontal), {0, 1000});
}

// The animated chart redraws its axes step by step; zooms and resizes that change the number
// of ticks while a step is due must leave as many ticks as labels.
void TestLineChart::animatedZoomSurvivesTicksChangingMidway() {
    LineChart chart(QStringLiteral("ChartA"), QStringLiteral("Заголовок"),
                    {{QStringLiteral("S0"), QColor(255, 0, 0)}}, true);
    chart.resize(900, 260);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.AddPoints(0, {{0, -0.57}, {29470, 21.4}});
    const int percents[] = {90, 60, 130, 20, 145, 92, 93, 91};
    int step = 0;
    for (int percent : percents) {
        chart.Zoom(percent);
        QTest::qWait(15);
        chart.resize(900 - 90 * (step % 4), 260 + 60 * (step % 3));
        QTest::qWait(15);
        ++step;
    }
    QTest::qWait(chart.chart()->animationDuration() + 100);
    CheckRoundTicks(chart, Qt::Horizontal);
    CheckRoundTicks(chart, Qt::Vertical);
}

QTEST_MAIN(TestLineChart)
#include "test_chart_line.moc"
