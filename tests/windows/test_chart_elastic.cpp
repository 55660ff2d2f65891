#include <QChart>
#include <QLineSeries>
#include <QValueAxis>
#include <QWheelEvent>
#include <QtTest>

#include "elastic_line_charts.h"
#include "line_chart.h"
#include "shaft_line.h"

using shaftline::RotorArray;
using shaftline::TRotor;
using Range = std::pair<double, double>;

namespace {

/// A solved shaft of `sections` equal pieces over `length` mm, diameter 300 mm.
std::unique_ptr<TRotor> Shaft(int sections, double length) {
    auto rotor = std::make_unique<TRotor>();
    rotor->SetSectionCount(sections);
    for (int k = 1; k <= sections; ++k) {
        rotor->SetCoord(k, length * k / sections);
        rotor->SetDiameter(k, 300);
        rotor->SetYoung(k, 2.1e4);
    }
    return rotor;
}

/// Rotors 1..count of lengths 1000, 1100, 1200, ... with 3, 4, 5, ... sections, solved.
RotorArray ShaftLine(int count) {
    RotorArray rotors;
    for (int k = 1; k <= count; ++k) rotors[k] = Shaft(2 + k, 900.0 + 100.0 * k);
    const auto problems = shaftline::RunCalculation(rotors, count);
    if (!problems.empty())
        qFatal("test shaft line does not solve: %s", problems[0].message.c_str());
    return rotors;
}

double LastCoord(const TRotor& r) {
    return r.SectionsView()[r.GetSectionCount()].Coord;
}

struct Charts {
    QWidget panel1;
    QWidget panel2;
    ElasticLineCharts charts{&panel1, &panel2};

    QLineSeries* Named(const QString& name) const {
        for (LineChart* chart : {charts.Chart1(), charts.Chart2()})
            for (int i = 0; i < chart->SeriesCount(); ++i)
                if (chart->Series(i)->objectName() == name) return chart->Series(i);
        return nullptr;
    }
    int PointsIn(int seriesNumber) const {
        return Named(QStringLiteral("Series%1").arg(seriesNumber))->count();
    }
};

Range Shown(LineChart* chart, Qt::Orientation o) {
    auto* axis = qobject_cast<QValueAxis*>(chart->chart()->axes(o).value(0));
    return {axis->min(), axis->max()};
}

Range Zoomed(Range r, int percent) {
    const double d = (r.second - r.first) * (percent - 100) * 0.01;
    return {r.first + d, r.second - d};
}

bool Near(Range a, Range b) {
    const double tol = 1e-9 * qMax(1.0, qMax(qAbs(b.first), qAbs(b.second)));
    return qAbs(a.first - b.first) <= tol && qAbs(a.second - b.second) <= tol;
}

void Notch(LineChart* chart, bool up) {
    const QPointF at(10, 10);
    QWheelEvent event(at, chart->mapToGlobal(at), QPoint(), QPoint(0, up ? 120 : -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(chart->viewport(), &event);
}

// The range of all points of a chart, as an automatic axis fits it.
std::pair<Range, Range> DataBounds(LineChart* chart) {
    double x0 = qInf(), x1 = -qInf(), y0 = qInf(), y1 = -qInf();
    for (int i = 0; i < chart->SeriesCount(); ++i)
        for (const QPointF& p : chart->Series(i)->points()) {
            x0 = qMin(x0, p.x());
            x1 = qMax(x1, p.x());
            y0 = qMin(y0, p.y());
            y1 = qMax(y1, p.y());
        }
    return {{x0, x1}, {y0, y1}};
}

}  // namespace

class TestElasticLineCharts : public QObject {
    Q_OBJECT
  private slots:
    void seriesHaveTheirNamesAndColours_data();
    void seriesHaveTheirNamesAndColours();
    void chartsSitInTheirPanels();
    void fillWithoutRecordsDrawsNothingAndStillZooms();
    void oneRotor();
    void threeRotorsLieEndToEnd();
    void nineteenRotorsLeaveTheLastSeriesEmpty();
    void fillZoomsToATenthAndRefillWidensAgain();
    void wheelFollowsTheCounter_data();
    void wheelFollowsTheCounter();
    void wheelCounterIsShared();
    void equalRisesShiftTheAssemblyLineDown();
    void positionsWithoutRecordKeepTheirPoints();
    void countOutsideTheRotorsNeverReachesPastThem();
    void zeroLengthRotorGivesNoAssemblyLine();
};

void TestElasticLineCharts::seriesHaveTheirNamesAndColours_data() {
    QTest::addColumn<int>("chart");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    const QColor nominal[] = {{255, 0, 0},   {128, 0, 128},   {0, 128, 0},   {255, 255, 0},
                              {0, 0, 255},   {128, 128, 128}, {255, 0, 255}, {0, 128, 128},
                              {0, 0, 128},   {128, 0, 0},     {0, 255, 0},   {128, 128, 0},
                              {128, 0, 128}, {192, 192, 192}, {0, 255, 255}, {0, 0, 0},
                              {255, 0, 0},   {255, 0, 0},     {255, 0, 0}};
    const QColor assembly[] = {{255, 0, 0},   {0, 128, 0},     {64, 0, 64},   {0, 0, 255},
                               {0, 64, 0},    {128, 128, 128}, {255, 0, 255}, {0, 128, 128},
                               {0, 0, 128},   {128, 0, 0},     {0, 255, 0},   {128, 128, 0},
                               {128, 0, 128}, {192, 192, 192}, {0, 255, 255}, {0, 0, 0},
                               {255, 0, 0},   {255, 0, 0},     {255, 0, 0},   {255, 0, 0}};
    for (int i = 0; i < 19; ++i) {
        const QString name = QStringLiteral("Series%1").arg(i + 1);
        QTest::newRow(qPrintable(name)) << 1 << i << name << nominal[i];
    }
    for (int i = 0; i < 20; ++i) {
        const QString name = QStringLiteral("Series%1").arg(i + 20);
        QTest::newRow(qPrintable(name)) << 2 << i << name << assembly[i];
    }
}

void TestElasticLineCharts::seriesHaveTheirNamesAndColours() {
    QFETCH(int, chart);
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    Charts c;
    LineChart* target = chart == 1 ? c.charts.Chart1() : c.charts.Chart2();
    QCOMPARE(target->SeriesCount(), chart == 1 ? 19 : 20);
    QCOMPARE(target->Series(index)->objectName(), name);
    QCOMPARE(target->Series(index)->color(), colour);
}

void TestElasticLineCharts::chartsSitInTheirPanels() {
    Charts c;
    QCOMPARE(c.panel1.findChild<LineChart*>(QStringLiteral("Chart1")), c.charts.Chart1());
    QCOMPARE(c.panel2.findChild<LineChart*>(QStringLiteral("Chart2")), c.charts.Chart2());
    QCOMPARE(c.charts.Chart1()->chart()->title(),
             QStringLiteral("Упругая линия валопровода при номинальном режиме работы"));
    QCOMPARE(c.charts.Chart2()->chart()->title(),
             QStringLiteral("Упругая линия валопровода в монтажном состоянии"));
    QVERIFY(!c.charts.Chart1()->chart()->legend()->isVisible());
    QVERIFY(!c.charts.Chart2()->chart()->legend()->isVisible());
    QCOMPARE(c.charts.ChartZoom(), 0);
}

void TestElasticLineCharts::fillWithoutRecordsDrawsNothingAndStillZooms() {
    Charts c;
    RotorArray rotors;
    c.charts.SetChartZoom(90);
    c.charts.Fill(rotors, 3);
    for (int s = 1; s <= 39; ++s) QCOMPARE(c.PointsIn(s), 0);
    const Range empty{LineChart::kEmptyRange.min, LineChart::kEmptyRange.max};
    for (LineChart* chart : {c.charts.Chart1(), c.charts.Chart2()}) {
        QVERIFY(!chart->AxesFixed());
        QVERIFY(Near(Shown(chart, Qt::Horizontal), empty));
        QVERIFY(Near(Shown(chart, Qt::Vertical), empty));
    }
    // A later menu command after a calculation fits the shaft line, not the empty range.
    rotors = ShaftLine(1);
    c.charts.SetChartZoom(90);
    c.charts.Fill(rotors, 1);
    const double length = rotors[1]->SectionsView()[rotors[1]->GetSectionCount()].Coord;
    for (LineChart* chart : {c.charts.Chart1(), c.charts.Chart2()}) {
        QVERIFY(Near(Shown(chart, Qt::Horizontal), Zoomed({0, length}, 90)));
    }
}

void TestElasticLineCharts::oneRotor() {
    Charts c;
    RotorArray rotors = ShaftLine(1);
    c.charts.SetChartZoom(90);
    c.charts.Fill(rotors, 1);
    const TRotor& r = *rotors[1];
    const int n = r.GetSectionCount();
    for (int s : {1, 20}) {
        const QList<QPointF> points = c.Named(QStringLiteral("Series%1").arg(s))->points();
        QCOMPARE(points.size(), n + 1);
        QCOMPARE(points.first().x(), 0.0);
        QCOMPARE(points.last().x(), LastCoord(r));
        for (int j = 0; j <= n; ++j) {
            const auto& sec = r.SectionsView()[j];
            QCOMPARE(points[j].y(), sec.Deflection + sec.LineOffset);  // no rises yet
        }
    }
    // A sagging rotor on its two supports: zero at both ends, below zero between them.
    QVERIFY(c.Named(QStringLiteral("Series1"))->at(n / 2).y() < 0);
    for (int s = 1; s <= 39; ++s)
        if (s != 1 && s != 20) QCOMPARE(c.PointsIn(s), 0);
}

void TestElasticLineCharts::threeRotorsLieEndToEnd() {
    Charts c;
    RotorArray rotors = ShaftLine(3);
    c.charts.Fill(rotors, 3);
    const double start = LastCoord(*rotors[1]) + LastCoord(*rotors[2]);
    for (int s : {3, 22}) {
        auto* series = c.Named(QStringLiteral("Series%1").arg(s));
        QCOMPARE(series->count(), rotors[3]->GetSectionCount() + 1);
        QCOMPARE(series->at(0).x(), start);
        QCOMPARE(series->at(series->count() - 1).x(), start + LastCoord(*rotors[3]));
    }
    for (int s : {1, 20}) QCOMPARE(c.PointsIn(s), rotors[1]->GetSectionCount() + 1);
    for (int s : {2, 21}) QCOMPARE(c.PointsIn(s), 0);
}

void TestElasticLineCharts::nineteenRotorsLeaveTheLastSeriesEmpty() {
    Charts c;
    RotorArray rotors = ShaftLine(19);
    c.charts.Fill(rotors, 19);
    for (int k = 1; k <= 19; ++k) {
        const int expected = k % 2 == 1 ? rotors[k]->GetSectionCount() + 1 : 0;
        QCOMPARE(c.PointsIn(k), expected);
        QCOMPARE(c.PointsIn(19 + k), expected);
    }
    QCOMPARE(c.PointsIn(39), 0);
}

void TestElasticLineCharts::fillZoomsToATenthAndRefillWidensAgain() {
    Charts c;
    RotorArray rotors = ShaftLine(5);
    c.charts.SetChartZoom(90);
    c.charts.Fill(rotors, 5);
    std::vector<std::pair<Range, Range>> first;
    for (LineChart* chart : {c.charts.Chart1(), c.charts.Chart2()}) {
        const auto [x, y] = DataBounds(chart);
        QVERIFY(Near(Shown(chart, Qt::Horizontal), Zoomed(x, 90)));
        QVERIFY(Near(Shown(chart, Qt::Vertical), Zoomed(y, 90)));
        first.push_back({Shown(chart, Qt::Horizontal), Shown(chart, Qt::Vertical)});
    }
    const int points = c.PointsIn(5);

    c.charts.SetChartZoom(90);
    c.charts.Fill(rotors, 5);
    QCOMPARE(c.PointsIn(5), points);
    QCOMPARE(c.PointsIn(24), points);
    int i = 0;
    for (LineChart* chart : {c.charts.Chart1(), c.charts.Chart2()}) {
        QVERIFY(Near(Shown(chart, Qt::Horizontal), Zoomed(first[i].first, 90)));
        QVERIFY(Near(Shown(chart, Qt::Vertical), Zoomed(first[i].second, 90)));
        ++i;
    }
}

void TestElasticLineCharts::wheelFollowsTheCounter_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<bool>>("notches");  // true: away from the user
    QTest::addColumn<QList<int>>("counters");
    QTest::addColumn<QList<int>>("percents");
    QTest::newRow("after a menu command")
        << 90 << QList<bool>{true, true, false} << QList<int>{91, 92, 91} << QList<int>{92, 93, 91};
    QTest::newRow("first zoom-in on the tenth notch up")
        << 90 << QList<bool>(10, true) << QList<int>{91, 92, 93, 94, 95, 96, 97, 98, 99, 100}
        << QList<int>{92, 93, 94, 95, 96, 97, 98, 99, 100, 101};
    QTest::newRow("down before any menu command")
        << 0 << QList<bool>{false} << QList<int>{-1} << QList<int>{-1};
    QTest::newRow("up before any menu command")
        << 0 << QList<bool>{true} << QList<int>{1} << QList<int>{2};
}

void TestElasticLineCharts::wheelFollowsTheCounter() {
    QFETCH(int, start);
    QFETCH(QList<bool>, notches);
    QFETCH(QList<int>, counters);
    QFETCH(QList<int>, percents);
    Charts c;
    RotorArray rotors = ShaftLine(3);
    c.charts.SetChartZoom(start);
    c.charts.Fill(rotors, 3);
    c.charts.SetChartZoom(start);
    LineChart* chart = c.charts.Chart1();
    const Range otherX = Shown(c.charts.Chart2(), Qt::Horizontal);
    for (int i = 0; i < notches.size(); ++i) {
        const Range x = Shown(chart, Qt::Horizontal);
        const Range y = Shown(chart, Qt::Vertical);
        Notch(chart, notches[i]);
        QCOMPARE(c.charts.ChartZoom(), counters[i]);
        QVERIFY2(Near(Shown(chart, Qt::Horizontal), Zoomed(x, percents[i])),
                 qPrintable(QStringLiteral("notch %1").arg(i + 1)));
        QVERIFY(Near(Shown(chart, Qt::Vertical), Zoomed(y, percents[i])));
    }
    QCOMPARE(Shown(c.charts.Chart2(), Qt::Horizontal), otherX);
}

void TestElasticLineCharts::wheelCounterIsShared() {
    Charts c;
    RotorArray rotors = ShaftLine(1);
    c.charts.SetChartZoom(90);
    c.charts.Fill(rotors, 1);
    Notch(c.charts.Chart1(), true);
    Notch(c.charts.Chart1(), true);
    const Range before = Shown(c.charts.Chart2(), Qt::Horizontal);
    Notch(c.charts.Chart2(), false);  // counter 92 → 91, zoom to 91 %
    QCOMPARE(c.charts.ChartZoom(), 91);
    QVERIFY(Near(Shown(c.charts.Chart2(), Qt::Horizontal), Zoomed(before, 91)));
}

void TestElasticLineCharts::equalRisesShiftTheAssemblyLineDown() {
    Charts c;
    RotorArray rotors = ShaftLine(3);
    rotors[3]->LeftSupportRise = 0.35;
    rotors[3]->RightSupportRise = 0.35;
    c.charts.Fill(rotors, 3);
    const QList<QPointF> nominal = c.Named(QStringLiteral("Series3"))->points();
    const QList<QPointF> assembly = c.Named(QStringLiteral("Series22"))->points();
    QCOMPARE(assembly.size(), nominal.size());
    for (int j = 0; j < nominal.size(); ++j) {
        QCOMPARE(assembly[j].x(), nominal[j].x());
        QVERIFY(qAbs(assembly[j].y() - (nominal[j].y() - 0.35)) < 1e-12);
    }
    // Rotor 1 has no rises: both charts show the same line.
    QCOMPARE(c.Named(QStringLiteral("Series20"))->points(),
             c.Named(QStringLiteral("Series1"))->points());
}

void TestElasticLineCharts::positionsWithoutRecordKeepTheirPoints() {
    Charts c;
    RotorArray rotors = ShaftLine(3);
    c.charts.Fill(rotors, 3);
    const QList<QPointF> third = c.Named(QStringLiteral("Series3"))->points();
    QVERIFY(!third.isEmpty());

    c.charts.Fill(rotors, 1);  // rotor 3 above the count
    QCOMPARE(c.Named(QStringLiteral("Series3"))->points(), third);

    rotors[3].reset();  // rotor 3 without a record
    c.charts.Fill(rotors, 3);
    QCOMPARE(c.Named(QStringLiteral("Series3"))->points(), third);
    QCOMPARE(c.PointsIn(1), rotors[1]->GetSectionCount() + 1);
}

void TestElasticLineCharts::countOutsideTheRotorsNeverReachesPastThem() {
    Charts c;
    RotorArray rotors = ShaftLine(19);
    for (int count : {25, std::numeric_limits<int>::max(), -4, 0}) {
        c.charts.Fill(rotors, count);
        QCOMPARE(c.PointsIn(39), 0);
    }
    QCOMPARE(c.PointsIn(19), rotors[19]->GetSectionCount() + 1);
}

void TestElasticLineCharts::zeroLengthRotorGivesNoAssemblyLine() {
    Charts c;
    RotorArray rotors = ShaftLine(1);
    c.charts.Fill(rotors, 1);
    // A record whose sections all sit at 0 has no slope between its supports.
    rotors[1] = std::make_unique<TRotor>();
    rotors[1]->SetSectionCount(2);
    c.charts.Fill(rotors, 1);
    QCOMPARE(c.PointsIn(1), 3);
    QCOMPARE(c.PointsIn(20), 0);
}

QTEST_MAIN(TestElasticLineCharts)
#include "test_chart_elastic.moc"
