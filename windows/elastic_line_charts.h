#pragma once

#include <QObject>

#include "shaft_line.h"

class QWidget;
class LineChart;

/// The two elastic-line charts of the main window: Chart1 (nominal operating mode, Series1..19)
/// and Chart2 (assembly state, Series20..39), with the shared zoom counter ChartZoom and the
/// mouse-wheel zoom rule.
class ElasticLineCharts : public QObject {
    Q_OBJECT
public:
    /// Creates Chart1 filling panel1 and Chart2 filling panel2.
    ElasticLineCharts(QWidget* panel1, QWidget* panel2, QObject* parent = nullptr);

    int ChartZoom() const { return chartZoom_; }
    void SetChartZoom(int percent) { chartZoom_ = percent; }

    /// Fills Chart1 from the nominal and Chart2 from the assembly-state points of rotors
    /// 1..count (never past 19), each zoomed to ChartZoom percent afterwards.
    void Fill(const shaftline::RotorArray& rotors, int count);

    LineChart* Chart1() const { return chart1_; }
    LineChart* Chart2() const { return chart2_; }

    /// One wheel notch over a chart. The counter is shared, so a notch over one chart changes
    /// the percentage the next notch over the other uses.
    void Chart1MouseWheelDown() { WheelDown(chart1_); }
    void Chart1MouseWheelUp() { WheelUp(chart1_); }
    void Chart2MouseWheelDown() { WheelDown(chart2_); }
    void Chart2MouseWheelUp() { WheelUp(chart2_); }

    /// "Показать все": the chart's axes fitted to its data and zoomed as the menu command
    /// "Ввод параметров" zooms them, with the counter set as that command sets it.
    void ShowAll(LineChart* chart);

private:
    void WheelDown(LineChart* chart);
    void WheelUp(LineChart* chart);

    int chartZoom_ = 0;
    LineChart* chart1_ = nullptr;
    LineChart* chart2_ = nullptr;
};
