// shaftline-calc [WORKBOOK] [--solid LIST] [--base B] [--json]: the shaft-line calculation of
// the windows, run on a workbook without them.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "calc_options.h"
#include "json_report.h"
#include "message_text.h"
#include "pdf_report.h"
#include "shaft_line_run.h"
#include "text_report.h"

namespace {

using namespace shaftline;

// Like the windows, the calculator looks for Data.xls in its own folder.
std::string DefaultWorkbook(const char* argv0) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0, ec);
    return (exe.parent_path() / "Data.xls").string();
}

// Standard output is flushed here so that a full disk or a closed pipe is reported, not lost.
int Flushed(int status) {
    errno = 0;
    std::cout.flush();
    if (std::cout.good()) return status;
    std::cerr << "shaftline-calc: не удалось записать результаты в стандартный вывод";
    if (errno != 0) std::cerr << ": " << std::strerror(errno);
    std::cerr << "\n";
    return cli::kExitOutput;
}

int Run(int argc, char** argv) {
    cli::CalcOptions options;
    try {
        options = cli::ParseCalcOptions(argc, argv);
    } catch (const cli::UsageError& e) {
        std::cerr << "shaftline-calc: " << e.what() << "\nЗапуск: shaftline-calc [КНИГА] "
                  << "[--solid СПИСОК] [--base Б] [--json] [--report PDF]; подробно: --help\n";
        return cli::kExitUsage;
    }
    if (options.helpShown) return Flushed(cli::kExitDone);
    const std::string path = options.workbook.empty() ? DefaultWorkbook(argv[0]) : options.workbook;

    io::ShaftLineWorkbook workbook;
    try {
        workbook = io::ReadShaftLineWorkbook(path, ".");
    } catch (const io::WorkbookError& e) {
        std::cerr << "shaftline-calc: " << e.what() << "\n";
        return cli::kExitWorkbook;
    }
    cli::ShaftLineRun run;
    try {
        cli::CheckOptionsAgainstRotorCount(options, static_cast<int>(workbook.sheets.size()));
        run = cli::RunShaftLine(workbook, options);
    } catch (const cli::UsageError& e) {
        std::cerr << "shaftline-calc: " << e.what() << "\n";
        return cli::kExitUsage;
    } catch (const cli::RotorDataError& e) {
        std::cerr << "shaftline-calc: книга «" << QuotedForMessage(path) << "»:\n"
                  << e.what() << "\n";
        return cli::kExitRotorData;
    }

    if (options.json) {
        std::cout << cli::JsonReport(run).dump() << "\n";
    } else {
        std::cout << cli::TextReport(run);
    }
    if (options.reportPath && !cli::WritePdfReport(run, workbook, path, *options.reportPath)) {
        std::cerr << "shaftline-calc: не удалось записать отчет «"
                  << QuotedForMessage(*options.reportPath) << "»\n";
        return cli::kExitOutput;
    }
    return Flushed(cli::kExitDone);
}

}  // namespace

int main(int argc, char** argv) {
    return Run(argc, argv);
}
