#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "shaft_line_run.h"
#include "shaft_line_workbook.h"

namespace shaftline::cli {

// The outputs that need large libraries are written by modules in the folder "modules" beside
// the calculator, each loaded only when its option is given: the PDF report (Qt) and the
// results book (libxlsxwriter). Every other run starts without those libraries.
//
// An entry takes the sizes of the structures it is handed, which must be those it was built
// with, the run, the book it came from, the book's path and the output's path, and a buffer
// for the message of a refusal. It answers 1 when the output was written, 0 when it was not
// (the message in the buffer) and -1 when the sizes differ.
using OutputEntry = int (*)(std::size_t runSize, std::size_t workbookSize, const ShaftLineRun* run,
                            const io::ShaftLineWorkbook* workbook, const char* bookPath,
                            const char* outputPath, char* reason, std::size_t reasonSize);
inline constexpr const char* kPdfReportEntry = "shaftline_write_pdf_report";
inline constexpr const char* kResultsBookEntry = "shaftline_write_results_book";
inline constexpr const char* kFieldSheetEntry = "shaftline_write_field_sheet";

/// A module is missing, cannot be loaded, lacks its entry or belongs to another build; what()
/// is a Russian message naming the module.
class OutputModuleError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// Writes the PDF report through its module under the program folder `folder`. Returns the Russian
/// message of a refusal, naming the file, or nothing when the report was written. Throws
/// OutputModuleError.
std::string WritePdfReportThroughModule(const std::filesystem::path& folder,
                                        const ShaftLineRun& run,
                                        const io::ShaftLineWorkbook& workbook,
                                        const std::string& bookPath, const std::string& pdfPath);

/// The same for the results book.
std::string WriteResultsBookThroughModule(const std::filesystem::path& folder,
                                          const ShaftLineRun& run,
                                          const io::ShaftLineWorkbook& workbook,
                                          const std::string& bookPath,
                                          const std::string& resultsPath);

/// The same for the alignment field sheet, which the PDF module writes.
std::string WriteFieldSheetThroughModule(const std::filesystem::path& folder,
                                         const ShaftLineRun& run,
                                         const io::ShaftLineWorkbook& workbook,
                                         const std::string& bookPath, const std::string& pdfPath);

/// For a module's entry: checks the sizes of the structures, calls `write` (which returns the
/// message of a refusal, empty when the output was written; an exception is a refusal too) and
/// copies the message into the buffer, cut at a character boundary to fit.
int RunOutputEntry(std::size_t runSize, std::size_t workbookSize, char* reason,
                   std::size_t reasonSize, const std::function<std::string()>& write);

}  // namespace shaftline::cli
