// The module that writes the calculator's results book (see output_modules.h). Only its entry
// is visible outside it.
#include <type_traits>

#include "output_modules.h"
#include "results_book_writer.h"
#include "run_results.h"

extern "C" __attribute__((visibility("default"))) int shaftline_write_results_book(
    std::size_t runSize, std::size_t workbookSize, const shaftline::cli::ShaftLineRun* run,
    const shaftline::io::ShaftLineWorkbook* workbook, const char* bookPath, const char* resultsPath,
    char* reason, std::size_t reasonSize) {
    return shaftline::cli::RunOutputEntry(runSize, workbookSize, reason, reasonSize, [&] {
        shaftline::io::WriteResultsBook(resultsPath,
                                        shaftline::cli::RunResults(*run, *workbook, bookPath));
        return std::string();
    });
}

static_assert(std::is_same_v<decltype(&shaftline_write_results_book), shaftline::cli::OutputEntry>);
