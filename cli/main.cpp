// shaftline-calc [WORKBOOK] [--solid LIST] [--base B] [--json] [--report PDF] [--results XLSX]
//   [--field-sheet PDF] [--alignment JSON] [--optimise JSON]:
// the shaft-line calculation of the windows, run on a workbook without them.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "alignment_cells.h"
#include "alignment_file.h"
#include "alignment_run.h"
#include "calc_options.h"
#include "json_report.h"
#include "message_text.h"
#include "optimise_run.h"
#include "output_file.h"
#include "output_modules.h"
#include "program_folder.h"
#include "shaft_line_run.h"
#include "text_report.h"

namespace {

using namespace shaftline;

// Like the windows, the calculator looks for Data.xls in its own folder.
std::string DefaultWorkbook(const char* argv0) {
    return (cli::ProgramFolder(argv0) / "Data.xls").string();
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

// An output that needs a module of its own; false after the message when it was not written.
// `notWritten` says of `what` that it was not written ("книга результатов" "не записана").
template <typename Write>
bool WriteOutput(const std::string& path, const char* what, const char* notWritten, Write write) {
    std::string refusal;
    try {
        refusal = write();
    } catch (const cli::OutputModuleError& e) {
        refusal = std::string(what) + " «" + io::QuotedPathForMessage(path) + "» " + notWritten +
                  ": " + e.what();
    }
    if (refusal.empty()) return true;
    std::cerr << "shaftline-calc: " << refusal << "\n";
    return false;
}

int Run(int argc, char** argv) {
    cli::CalcOptions options;
    try {
        options = cli::ParseCalcOptions(argc, argv);
    } catch (const cli::UsageError& e) {
        std::cerr << "shaftline-calc: " << e.what() << "\nЗапуск: shaftline-calc [КНИГА] "
                  << "[--solid СПИСОК] [--base Б] [--json] [--report PDF] [--results XLSX] "
                  << "[--field-sheet PDF] [--alignment JSON] [--optimise JSON]; "
                  << "подробно: --help\n";
        return cli::kExitUsage;
    }
    if (options.helpShown) return Flushed(cli::kExitDone);
    std::optional<AlignmentInputs> alignment;
    try {
        if (options.alignmentPath) alignment = cli::ReadAlignmentFile(*options.alignmentPath);
    } catch (const cli::UsageError& e) {
        std::cerr << "shaftline-calc: " << e.what() << "\n";
        return cli::kExitUsage;
    }
    const std::string path = options.workbook.empty() ? DefaultWorkbook(argv[0]) : options.workbook;
    try {
        cli::CheckOutputsAgainstBook(options, path);
    } catch (const cli::UsageError& e) {
        std::cerr << "shaftline-calc: " << e.what() << "\n";
        return cli::kExitUsage;
    }

    io::ShaftLineWorkbook workbook;
    try {
        workbook = io::ReadShaftLineWorkbook(path, ".");
    } catch (const io::WorkbookError& e) {
        std::cerr << "shaftline-calc: " << e.what() << "\n";
        return cli::kExitWorkbook;
    }
    cli::ShaftLineRun run;
    std::optional<SupportLiftOptimum> optimum;
    try {
        cli::CheckOptionsAgainstRotorCount(options, static_cast<int>(workbook.sheets.size()));
        run = cli::RunShaftLine(workbook, options);
        if (options.optimisePath) optimum = cli::OptimiseFromFile(run, *options.optimisePath);
    } catch (const cli::UsageError& e) {
        std::cerr << "shaftline-calc: " << e.what() << "\n";
        return cli::kExitUsage;
    } catch (const cli::RotorDataError& e) {
        std::cerr << "shaftline-calc: книга «" << QuotedForMessage(path) << "»:\n"
                  << e.what() << "\n";
        return cli::kExitRotorData;
    }
    try {
        run.alignment = alignment ? std::move(*alignment) : io::AlignmentFromBook(workbook, ".");
    } catch (const io::AlignmentCellError& e) {
        std::cerr << "shaftline-calc: книга «" << QuotedForMessage(path) << "»:\n"
                  << e.what() << "\n";
        return cli::kExitRotorData;
    }
    if (const std::string refusal = cli::RunAlignment(run).refusal; !refusal.empty()) {
        std::cerr << "shaftline-calc: "
                  << (options.alignmentPath
                          ? "--alignment «" + QuotedForMessage(*options.alignmentPath) + "»: "
                          : std::string("книга «" + QuotedForMessage(path) + "»: "))
                  << refusal << "\n";
        return options.alignmentPath ? cli::kExitUsage : cli::kExitRotorData;
    }

    if (options.json) {
        std::cout << cli::JsonReport(run, optimum ? &*optimum : nullptr).dump() << "\n";
    } else {
        std::cout << cli::TextReport(run) << (optimum ? cli::OptimisationText(*optimum) : "");
    }
    const std::filesystem::path folder = cli::ProgramFolder(argv[0]);
    bool written = true;
    if (options.resultsPath) {
        written = WriteOutput(*options.resultsPath, "книга результатов", "не записана", [&] {
            return cli::WriteResultsBookThroughModule(folder, run, workbook, path,
                                                      *options.resultsPath);
        });
    }
    if (options.reportPath) {
        const bool reported = WriteOutput(*options.reportPath, "отчет", "не записан", [&] {
            return cli::WritePdfReportThroughModule(folder, run, workbook, path,
                                                    *options.reportPath);
        });
        written = written && reported;
    }
    if (options.fieldSheetPath) {
        const bool sheet =
            WriteOutput(*options.fieldSheetPath, "формуляр центровки", "не записан", [&] {
                return cli::WriteFieldSheetThroughModule(folder, run, workbook, path,
                                                         *options.fieldSheetPath);
            });
        written = written && sheet;
    }
    return Flushed(written ? cli::kExitDone : cli::kExitOutput);
}

}  // namespace

int main(int argc, char** argv) {
    return Run(argc, argv);
}
