#include "pdf_report.h"

#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <memory>

#include "field_sheet.h"
#include "report_document.h"
#include "run_results.h"

namespace shaftline::cli {

namespace {

// Qt's notes about the environment (a missing runtime folder and the like) are not the
// calculator's output; its own failures are reported by the calculator.
void KeepQtNotesOffTheTerminal(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

// The calculator shows nothing: fonts and painting need a platform, never a display.
std::unique_ptr<QGuiApplication> OffscreenApplication() {
    if (QCoreApplication::instance() != nullptr) return nullptr;
    qInstallMessageHandler(KeepQtNotesOffTheTerminal);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "shaftline-calc";
    static char* argv[] = {name, nullptr};
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    // The application has set the C library's locale from the environment; every number the
    // calculator writes keeps the '.'.
    std::setlocale(LC_NUMERIC, "C");
    return application;
}

}  // namespace

report::ReportInput RunReportInput(const ShaftLineRun& run, const io::ShaftLineWorkbook& workbook,
                                   const std::string& bookPath, const QDateTime& created) {
    report::ReportInput input;
    static_cast<io::CalculationResults&>(input) = RunResults(run, workbook, bookPath);
    input.created = created;
    return input;
}

std::string WritePdfReport(const ShaftLineRun& run, const io::ShaftLineWorkbook& workbook,
                           const std::string& bookPath, const std::string& pdfPath) {
    const std::unique_ptr<QGuiApplication> application = OffscreenApplication();
    const auto input = std::make_shared<const report::ReportInput>(
        RunReportInput(run, workbook, bookPath, QDateTime::currentDateTime()));
    return report::WriteReportPdf(pdfPath, report::MakeShaftLineReport(input));
}

std::string WriteFieldSheet(const ShaftLineRun& run, const io::ShaftLineWorkbook& workbook,
                            const std::string& bookPath, const std::string& pdfPath) {
    const std::unique_ptr<QGuiApplication> application = OffscreenApplication();
    const report::ReportInput input =
        RunReportInput(run, workbook, bookPath, QDateTime::currentDateTime());
    return report::WriteFieldSheetPdf(pdfPath, input);
}

}  // namespace shaftline::cli
