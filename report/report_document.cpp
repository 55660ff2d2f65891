#include "report_document.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "pdf_file.h"
#include "report_sections.h"

namespace shaftline::report {

namespace {

const QString kTitle = QStringLiteral("Расчет упругой линии валопровода");

// A binding edge on the left, as for documents that are filed.
const QMarginsF kMarginsMm(20, 12, 10, 10);

constexpr int kPdfDotsPerInch = 600;

void LayOut(ReportLayout& layout, const ShaftLineReport& report) {
    for (const ReportSection& section : report.sections) section(layout);
    layout.Finish();
}

}  // namespace

ShaftLineReport MakeShaftLineReport(std::shared_ptr<const ReportInput> input) {
    ShaftLineReport report;
    report.title = kTitle;
    report.footer = kTitle + QStringLiteral(" — ") +
                    input->created.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    if (!input->bookFileName.empty())
        report.footer += QStringLiteral(" — ") + QString::fromStdString(input->bookFileName);
    report.sections.push_back(TitleSection(input, kTitle));
    report.sections.push_back(ChartsSection(input));
    for (int rotor = 1; rotor <= input->count; ++rotor)
        report.sections.push_back(RotorSection(input, rotor));
    report.sections.push_back(CoupledSection(input));
    report.sections.push_back(AlignmentSection(input));
    return report;
}

bool RenderReport(QPagedPaintDevice& device, const ShaftLineReport& report) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kMarginsMm,
                                     QPageLayout::Millimeter));
    ReportLayout measure(device, nullptr, report.footer, 0);
    LayOut(measure, report);

    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    ReportLayout layout(device, &painter, report.footer, measure.PageCount());
    LayOut(layout, report);
    return painter.end();
}

QByteArray ReportPdf(const ShaftLineReport& report) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDotsPerInch);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("Ротовал"));
        painted = RenderReport(writer, report);
    }
    return painted ? buffer.data() : QByteArray();
}

std::string WriteReportPdf(const std::string& path, const ShaftLineReport& report) {
    return WritePdfFile(path, "Отчет", "отчета", "страницы отчета не нарисованы",
                        [&report] { return ReportPdf(report); });
}

}  // namespace shaftline::report
