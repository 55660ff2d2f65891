// A book opened into the data-entry window (read, counts and grids filled, rotor types, status
// text) and the shaft line it holds saved as an .xlsx book. The book is the first argument left
// after Google Benchmark's own flags; without one, the largest shaft line (19 rotors of 50
// sections) as .xls. Goal for opening: under 50 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include "app_windows.h"
#include "data_input_form.h"
#include "shaft_line_book.h"
#include "shaftline_application.h"
#include "string_grid.h"

namespace {

void OpenBook(benchmark::State& state, const QString& path) {
    CreateAppWindows();
    for (auto _ : state) {
        if (!FormDataInput->OpenBook(path)) state.SkipWithError("the book was refused");
        benchmark::DoNotOptimize(FormDataInput->GridInitParams(1)->Cell(0, 1));
    }
    DestroyAppWindows();
}

void SaveBook(benchmark::State& state, const QString& path) {
    CreateAppWindows();
    QTemporaryDir folder;
    if (!FormDataInput->OpenBook(path)) state.SkipWithError("the book was refused");
    for (auto _ : state) {
        if (!FormDataInput->Book()->SaveTo(folder.filePath("book.xlsx")))
            state.SkipWithError("the book was not saved");
    }
    DestroyAppWindows();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    QTemporaryDir settings;  // saving remembers the book among the recent ones
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    benchmark::Initialize(&argc, argv);
    const QString book = argc > 1
                             ? QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]))
                             : QStringLiteral(SHAFTLINE_BENCH_DATA "/full_line_19x50.xls");
    benchmark::RegisterBenchmark("BM_OpenBook", OpenBook, book)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_SaveBook", SaveBook, book)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
