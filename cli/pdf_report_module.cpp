// The module that writes the calculator's PDF report and alignment field sheet (see
// output_modules.h). Only its entries are visible outside it.
#include <type_traits>

#include "output_modules.h"
#include "pdf_report.h"

extern "C" __attribute__((visibility("default"))) int shaftline_write_pdf_report(
    std::size_t runSize, std::size_t workbookSize, const shaftline::cli::ShaftLineRun* run,
    const shaftline::io::ShaftLineWorkbook* workbook, const char* bookPath, const char* pdfPath,
    char* reason, std::size_t reasonSize) {
    return shaftline::cli::RunOutputEntry(runSize, workbookSize, reason, reasonSize, [&] {
        return shaftline::cli::WritePdfReport(*run, *workbook, bookPath, pdfPath);
    });
}

extern "C" __attribute__((visibility("default"))) int shaftline_write_field_sheet(
    std::size_t runSize, std::size_t workbookSize, const shaftline::cli::ShaftLineRun* run,
    const shaftline::io::ShaftLineWorkbook* workbook, const char* bookPath, const char* pdfPath,
    char* reason, std::size_t reasonSize) {
    return shaftline::cli::RunOutputEntry(runSize, workbookSize, reason, reasonSize, [&] {
        return shaftline::cli::WriteFieldSheet(*run, *workbook, bookPath, pdfPath);
    });
}

static_assert(std::is_same_v<decltype(&shaftline_write_pdf_report), shaftline::cli::OutputEntry>);
static_assert(std::is_same_v<decltype(&shaftline_write_field_sheet), shaftline::cli::OutputEntry>);
