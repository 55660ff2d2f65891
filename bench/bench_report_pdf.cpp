// The PDF report of the longest shaft line (the 19 × 50 book, aligned to rotor 3): layout of
// every page twice (counting, then drawing), both charts, ten sketches, written to a file; and
// one chart picture as PNG and SVG; and the results book of the same line.
#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include "chart_picture.h"
#include "pdf_report.h"
#include "report_document.h"
#include "results_book_writer.h"
#include "shaft_line_run.h"

namespace {

using namespace shaftline;

struct FullLine {
    io::ShaftLineWorkbook book;
    cli::ShaftLineRun run;
    std::shared_ptr<const report::ReportInput> input;

    FullLine() {
        book = io::ReadShaftLineWorkbook(SHAFTLINE_FULL_LINE_BOOK, ".");
        cli::CalcOptions options;
        options.baseRotor = 3;
        run = cli::RunShaftLine(book, options);
        input = std::make_shared<const report::ReportInput>(
            cli::RunReportInput(run, book, SHAFTLINE_FULL_LINE_BOOK, QDateTime::currentDateTime()));
    }
};

const FullLine& Line() {
    static const FullLine line;
    return line;
}

const QString& OutputFolder() {
    static const QString folder = QDir::tempPath();
    return folder;
}

void BM_ReportPdfFullLine(benchmark::State& state) {
    const QString path = OutputFolder() + "/bench_report_full_line.pdf";
    for (auto _ : state) {
        const std::string refusal = report::WriteReportPdf(
            QFile::encodeName(path).toStdString(), report::MakeShaftLineReport(Line().input));
        if (!refusal.empty()) state.SkipWithError("the report was not written");
    }
    QFile::remove(path);
}
BENCHMARK(BM_ReportPdfFullLine)->Unit(benchmark::kMillisecond);

void BM_ResultsBookFullLine(benchmark::State& state) {
    const std::string path = (OutputFolder() + "/bench_results_full_line.xlsx").toStdString();
    for (auto _ : state) io::WriteResultsBook(path, *Line().input);
    QFile::remove(QString::fromStdString(path));
}
BENCHMARK(BM_ResultsBookFullLine)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChartPngFullLine(benchmark::State& state) {
    const report::ChartPicture picture = report::ElasticChartPicture(
        report::ElasticChart::Nominal, Line().run.rotors, Line().run.count);
    for (auto _ : state)
        benchmark::DoNotOptimize(report::ChartImage(picture, QSize(870, 300), 1.0, "."));
}
BENCHMARK(BM_ChartPngFullLine)->Unit(benchmark::kMillisecond);

void BM_ChartSvgFullLine(benchmark::State& state) {
    const report::ChartPicture picture = report::ElasticChartPicture(
        report::ElasticChart::Nominal, Line().run.rotors, Line().run.count);
    for (auto _ : state) benchmark::DoNotOptimize(report::ChartSvg(picture, QSize(870, 300), "."));
}
BENCHMARK(BM_ChartSvgFullLine)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
