#include "report_export.h"

#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app_windows.h"
#include "data_input_form.h"
#include "message_boxes.h"
#include "message_text.h"
#include "report_document.h"

QString AskReportPath(QWidget* parent) {
    const QString pdf = QStringLiteral(".pdf");
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Отчет (PDF)"),
                                                QStringLiteral("Отчет о расчете валопровода") + pdf,
                                                QStringLiteral("Документ PDF (*.pdf)"));
    if (!path.isEmpty() && !path.endsWith(pdf, Qt::CaseInsensitive)) path += pdf;
    return path;
}

bool WriteReportFile(QWidget* parent, const QString& path,
                     std::shared_ptr<const shaftline::report::ReportInput> input) {
    if (shaftline::report::WriteReportPdf(path, shaftline::report::MakeShaftLineReport(input)))
        return true;
    ShowError(parent,
              QStringLiteral("Не удалось записать отчет в файл «%1».")
                  .arg(QString::fromStdString(shaftline::QuotedForMessage(path.toStdString()))));
    return false;
}

bool ExportReportPdf(QWidget* parent, const QString& path) {
    const auto input = FormDataInput->ReportInputForExport();
    return input != nullptr && WriteReportFile(parent, path, input);
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
