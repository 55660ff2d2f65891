#include "report_export.h"

#include <QFile>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app_windows.h"
#include "data_input_form.h"
#include "message_boxes.h"
#include "message_text.h"
#include "output_file.h"
#include "field_sheet.h"
#include "report_document.h"
#include "results_book_writer.h"
#include "shaft_line_book.h"
#include "shaft_line_workbook.h"
#include "typed_file_name.h"
#include "written_note.h"

namespace {

// The save dialog for one kind of file; `suffix` is added to a name typed without it.
QString AskSavePath(QWidget* parent, const QString& title, const QString& name,
                    const QString& filter, const QString& suffix) {
    const QString path = QFileDialog::getSaveFileName(parent, title, name + suffix, filter);
    return path.isEmpty() ? path : WithKnownSuffix(path, {suffix}, suffix);
}

// True, after a message, when `path` names the book the data came from: writing an output
// there would lose the book.
bool IsTheOpenBook(QWidget* parent, const QString& path) {
    const QString book = FormDataInput->Book()->Path();
    if (book.isEmpty()) return false;
    const std::optional<shaftline::io::FileIdentity> bookFile =
        shaftline::io::IdentityOf(QFile::encodeName(book).toStdString());
    if (!bookFile || shaftline::io::IdentityOf(QFile::encodeName(path).toStdString()) != bookFile)
        return false;
    ShowError(parent, QStringLiteral("«%1» — это открытая книга с данными; выберите для вывода "
                                     "другой файл.")
                          .arg(QString::fromStdString(
                              shaftline::io::QuotedPathForMessage(path.toStdString()))));
    return true;
}

bool WriteResultsFile(QWidget* parent, const QString& path,
                      const shaftline::io::CalculationResults& results) {
    if (IsTheOpenBook(parent, path)) return false;
    try {
        shaftline::io::WriteResultsBook(QFile::encodeName(path).toStdString(), results);
        ShowWrittenNote(parent, QStringLiteral("Результаты расчета записаны"), path);
        return true;
    } catch (const shaftline::io::WorkbookError& error) {
        ShowError(parent, QString::fromUtf8(error.what()));
        return false;
    }
}

// Empty when the user cancels.
QString AskReportPath(QWidget* parent) {
    return AskSavePath(parent, QStringLiteral("Отчет (PDF)"),
                       QStringLiteral("Отчет о расчете валопровода"),
                       QStringLiteral("Документ PDF (*.pdf)"), QStringLiteral(".pdf"));
}

// False, after an error message, when the file cannot be written.
bool WriteReportFile(QWidget* parent, const QString& path,
                     std::shared_ptr<const shaftline::report::ReportInput> input) {
    if (IsTheOpenBook(parent, path)) return false;
    const std::string refusal = shaftline::report::WriteReportPdf(
        QFile::encodeName(path).toStdString(), shaftline::report::MakeShaftLineReport(input));
    if (refusal.empty()) {
        ShowWrittenNote(parent, QStringLiteral("Отчет записан"), path);
        return true;
    }
    ShowError(parent, QString::fromStdString(refusal));
    return false;
}

}  // namespace

bool ExportReportPdf(QWidget* parent, const QString& path) {
    const auto input = FormDataInput->ReportInputForExport();
    return input != nullptr && WriteReportFile(parent, path, input);
}

void ExportReportWithDialog(QWidget* parent) {
    const auto input = FormDataInput->ReportInputForExport();
    if (input == nullptr) return;
    const QString path = AskReportPath(parent);
    if (!path.isEmpty()) WriteReportFile(parent, path, input);
}

void PrintReportWithPreview(QWidget* parent) {
    const auto input = FormDataInput->ReportInputForExport();
    if (input == nullptr) return;
    const shaftline::report::ShaftLineReport report = shaftline::report::MakeShaftLineReport(input);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.title);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("ReportPreview"));
    preview.setWindowTitle(QStringLiteral("Печать отчета"));
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview,
        [&report](QPrinter* target) { shaftline::report::RenderReport(*target, report); });
    preview.exec();
}

bool ExportResultsBook(QWidget* parent, const QString& path) {
    const auto input = FormDataInput->ResultsForExport();
    return input != nullptr && WriteResultsFile(parent, path, *input);
}

void ExportResultsWithDialog(QWidget* parent) {
    const auto input = FormDataInput->ResultsForExport();
    if (input == nullptr) return;
    const QString path =
        AskSavePath(parent, QStringLiteral("Сохранить результаты"),
                    QStringLiteral("Результаты расчета валопровода"),
                    QStringLiteral("Книга Excel (*.xlsx)"), QStringLiteral(".xlsx"));
    if (!path.isEmpty()) WriteResultsFile(parent, path, *input);
}

namespace {

// Null after a message when the line has no coupling to put on the sheet.
std::shared_ptr<const shaftline::report::ReportInput> FieldSheetInput(QWidget* parent) {
    auto input = FormDataInput->ReportInputForExport();
    if (input != nullptr && !input->alignment) {
        ShowError(parent, QStringLiteral("В валопроводе нет муфт: формуляр центровки не нужен."));
        return nullptr;
    }
    return input;
}

bool WriteFieldSheetFile(QWidget* parent, const QString& path,
                         const shaftline::report::ReportInput& input) {
    if (IsTheOpenBook(parent, path)) return false;
    const std::string refusal =
        shaftline::report::WriteFieldSheetPdf(QFile::encodeName(path).toStdString(), input);
    if (refusal.empty()) {
        ShowWrittenNote(parent, QStringLiteral("Формуляр центровки записан"), path);
        return true;
    }
    ShowError(parent, QString::fromStdString(refusal));
    return false;
}

}  // namespace

bool ExportFieldSheetPdf(QWidget* parent, const QString& path) {
    const auto input = FieldSheetInput(parent);
    return input != nullptr && WriteFieldSheetFile(parent, path, *input);
}

void ExportFieldSheetWithDialog(QWidget* parent) {
    const auto input = FieldSheetInput(parent);
    if (input == nullptr) return;
    const QString path = AskSavePath(parent, QStringLiteral("Формуляр центровки (PDF)"),
                                     QStringLiteral("Формуляр центровки"),
                                     QStringLiteral("Документ PDF (*.pdf)"), QStringLiteral(".pdf"));
    if (!path.isEmpty()) WriteFieldSheetFile(parent, path, *input);
}

void PrintFieldSheetWithPreview(QWidget* parent) {
    const auto input = FieldSheetInput(parent);
    if (input == nullptr) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Формуляр центровки"));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("FieldSheetPreview"));
    preview.setWindowTitle(QStringLiteral("Печать формуляра центровки"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&input](QPrinter* target) { shaftline::report::PaintFieldSheet(*target, *input); });
    preview.exec();
}
