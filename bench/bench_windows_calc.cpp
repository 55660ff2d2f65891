// The data-entry window's calculation button on the largest shaft line it takes (19 rotors of
// 50 sections), from the click to the deflection columns written; and the program's start from
// creating the windows to the main window shown. Goals: under 50 ms and under 0.5 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QToolButton>
#include <QWindow>

#include "app_windows.h"
#include "data_input_form.h"
#include "main_window.h"
#include "shaftline_application.h"
#include "string_grid.h"
#include "windows_bench_main.h"

namespace {

// Types the largest line into the data-entry window: rotor k has 50 plain shaft pieces of
// 40 mm with a disc every fifth section.
void EnterLargestLine() {
    FormDataInput->findChild<QLineEdit*>("EditKolRotor")->setText("19");
    for (int rotor = 1; rotor <= shaftline::kMaxRotors; ++rotor) {
        FormDataInput->EditUchast(rotor)->setText(QString::number(shaftline::kMaxSections));
        TStringGrid* grid = FormDataInput->GridInitParams(rotor);
        for (int row = 1; row <= shaftline::kMaxSections; ++row) {
            const bool disc = row % 5 == 0;
            const QString cells[8] = {QString::number(40 * row),
                                      disc ? "900" : "0",
                                      QString::number(300 + 5 * (row % 7)),
                                      disc ? "60" : "0",
                                      "0",
                                      "21000",
                                      disc ? "2.5" : "0",
                                      disc ? "90" : "0"};
            for (int column = 0; column < 8; ++column) grid->SetCell(column, row, cells[column]);
        }
    }
}

void BM_CalculationButton(benchmark::State& state) {
    CreateAppWindows();
    EnterLargestLine();
    auto* button = FormDataInput->findChild<QToolButton*>("SpeedButton1");
    for (auto _ : state) {
        button->click();
        benchmark::DoNotOptimize(FormDataInput->GridInitParams(19)->Cell(8, 50));
    }
    if (FormDataInput->Rotors()[19] == nullptr) state.SkipWithError("the run did not calculate");
    DestroyAppWindows();
}
BENCHMARK(BM_CalculationButton)->Unit(benchmark::kMillisecond);

void BM_StartToMainWindowShown(benchmark::State& state) {
    for (auto _ : state) {
        CreateAppWindows();
        Form1->show();
        while (Form1->windowHandle() == nullptr || !Form1->windowHandle()->isExposed())
            QCoreApplication::processEvents();
        state.PauseTiming();
        DestroyAppWindows();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToMainWindowShown)->Unit(benchmark::kMillisecond);

}  // namespace

SHAFTLINE_WINDOWS_BENCH_MAIN(TApplication)
