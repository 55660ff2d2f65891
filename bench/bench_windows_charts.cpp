// Filling and zooming the two elastic-line charts for the largest shaft line they draw:
// 19 rotors, the 10 at odd positions drawn, 50 sections (51 points) each.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineSeries>
#include <QWidget>

#include "elastic_line_charts.h"
#include "line_chart.h"
#include "shaft_line.h"
#include "windows_bench_main.h"

namespace {

shaftline::RotorArray LargestShaftLine() {
    shaftline::RotorArray rotors;
    for (int k = 1; k <= shaftline::kMaxRotors; ++k) {
        auto rotor = std::make_unique<shaftline::TRotor>();
        rotor->SetSectionCount(shaftline::kMaxSections);
        for (int j = 1; j <= shaftline::kMaxSections; ++j) {
            rotor->SetCoord(j, 40.0 * j);
            rotor->SetDiameter(j, 300 + 5 * (j % 7));
            rotor->SetYoung(j, 2.1e4);
        }
        rotor->LeftSupportRise = 0.1 * k;
        rotor->RightSupportRise = 0.12 * k;
        rotors[k] = std::move(rotor);
    }
    shaftline::RunCalculation(rotors, shaftline::kMaxRotors);
    return rotors;
}

const shaftline::RotorArray& Rotors() {
    static const shaftline::RotorArray rotors = LargestShaftLine();
    return rotors;
}

struct Fixture {
    QWidget panel1;
    QWidget panel2;
    ElasticLineCharts charts{&panel1, &panel2};

    Fixture() {
        panel1.resize(1000, 350);
        panel2.resize(1000, 350);
    }
    void MenuCommand() {
        charts.SetChartZoom(90);
        charts.Fill(Rotors(), shaftline::kMaxRotors);
    }
};

// Every zoom widens the fixed axes for good, so each pass gets fresh charts (built untimed):
// a pass measures one menu command on charts as the program starts with them.
template <typename Pass>
void FreshChartsEachPass(benchmark::State& state, Pass pass) {
    for (auto _ : state) {
        state.PauseTiming();
        auto f = std::make_unique<Fixture>();
        state.ResumeTiming();
        pass(*f);
        state.PauseTiming();
        f.reset();
        state.ResumeTiming();
    }
}

void BM_FillAndZoomBothCharts(benchmark::State& state) {
    FreshChartsEachPass(state, [](Fixture& f) { f.MenuCommand(); });
}
BENCHMARK(BM_FillAndZoomBothCharts)->Unit(benchmark::kMillisecond);

// The second menu command: the series are emptied and refilled inside fixed axes.
void BM_RefillAndZoomBothCharts(benchmark::State& state) {
    FreshChartsEachPass(state, [&state](Fixture& f) {
        state.PauseTiming();
        f.MenuCommand();
        state.ResumeTiming();
        f.MenuCommand();
    });
}
BENCHMARK(BM_RefillAndZoomBothCharts)->Unit(benchmark::kMillisecond);

// The same with both charts drawn afterwards, as the user sees them.
void BM_FillZoomAndDrawBothCharts(benchmark::State& state) {
    FreshChartsEachPass(state, [](Fixture& f) {
        f.MenuCommand();
        benchmark::DoNotOptimize(f.panel1.grab());
        benchmark::DoNotOptimize(f.panel2.grab());
    });
}
BENCHMARK(BM_FillZoomAndDrawBothCharts)->Unit(benchmark::kMillisecond);

// One notch up to 125 % and one down to 50 %: the span halves and doubles, so the axes
// stay where they were however long the loop runs.
void BM_WheelNotchPair(benchmark::State& state) {
    Fixture f;
    f.MenuCommand();
    for (auto _ : state) {
        f.charts.SetChartZoom(123);
        f.charts.Chart1MouseWheelUp();
        f.charts.SetChartZoom(51);
        f.charts.Chart1MouseWheelDown();
    }
}
BENCHMARK(BM_WheelNotchPair)->Unit(benchmark::kMicrosecond);

}  // namespace

SHAFTLINE_WINDOWS_BENCH_MAIN(QApplication)
