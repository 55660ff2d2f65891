#include "elastic_line_charts.h"

#include <QLayout>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <limits>

#include "chart_picture.h"
#include "chart_points.h"
#include "line_chart.h"

namespace {

std::vector<LineChart::SeriesStyle> Styles(int firstNumber, shaftline::report::ElasticChart chart) {
    std::vector<LineChart::SeriesStyle> styles;
    for (int i = 0; i < shaftline::report::ChartSeriesCount(chart); ++i)
        styles.push_back({QStringLiteral("Series%1").arg(firstNumber + i),
                          shaftline::report::ChartSeriesColour(chart, i)});
    return styles;
}

void PlaceInto(QWidget* panel, QWidget* chart) {
    if (panel == nullptr) return;
    QLayout* layout = panel->layout();
    if (layout == nullptr) {
        layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(chart);
}

void FillChart(LineChart& chart, const std::vector<shaftline::SeriesPoints>& all) {
    for (const shaftline::SeriesPoints& one : all) {
        if (one.series < 0 || one.series >= chart.SeriesCount()) continue;
        chart.Clear(one.series);
        chart.AddPoints(one.series, one.points);
    }
}

}  // namespace

ElasticLineCharts::ElasticLineCharts(QWidget* panel1, QWidget* panel2, QObject* parent)
    : QObject(parent) {
    using shaftline::report::ElasticChart;
    chart1_ = new LineChart(QStringLiteral("Chart1"), ChartTitle(ElasticChart::Nominal),
                            Styles(1, ElasticChart::Nominal), true, panel1);
    chart2_ = new LineChart(QStringLiteral("Chart2"), ChartTitle(ElasticChart::Assembly),
                            Styles(20, ElasticChart::Assembly), false, panel2);
    PlaceInto(panel1, chart1_);
    PlaceInto(panel2, chart2_);
    connect(chart1_, &LineChart::WheelNotch, this,
            [this](bool up) { up ? Chart1MouseWheelUp() : Chart1MouseWheelDown(); });
    connect(chart2_, &LineChart::WheelNotch, this,
            [this](bool up) { up ? Chart2MouseWheelUp() : Chart2MouseWheelDown(); });
}

void ElasticLineCharts::Fill(const shaftline::RotorArray& rotors, int count) {
    const int n = std::clamp(count, 0, shaftline::kMaxRotors);
    FillChart(*chart1_, shaftline::NominalChartPoints(rotors, n));
    chart1_->Zoom(chartZoom_);
    FillChart(*chart2_, shaftline::AssemblyChartPoints(rotors, n));
    chart2_->Zoom(chartZoom_);
}

void ElasticLineCharts::ShowAll(LineChart* chart) {
    chartZoom_ = shaftline::report::kChartZoomPercent;
    chart->FitAll(chartZoom_);
}

// A notch down zooms to the new counter, a notch up to one more than the new counter. The
// counter stops at the int limits rather than wrapping round.
void ElasticLineCharts::WheelDown(LineChart* chart) {
    if (chartZoom_ > std::numeric_limits<int>::min()) --chartZoom_;
    chart->Zoom(chartZoom_);
}

void ElasticLineCharts::WheelUp(LineChart* chart) {
    constexpr int kMax = std::numeric_limits<int>::max();
    if (chartZoom_ < kMax) ++chartZoom_;
    chart->Zoom(chartZoom_ < kMax ? chartZoom_ + 1 : kMax);
}
