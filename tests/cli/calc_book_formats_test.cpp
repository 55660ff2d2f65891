// The calculator reads a book by its content, whatever the format, and never hangs on a file
// or lets control characters of a book reach the terminal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "calc_options.h"
#include "calc_process.h"

namespace {

const std::string kData = SHAFTLINE_IO_TEST_DATA;

TEST(CalcBookFormatsTest, XlsxAndOdsGiveTheResultsOfTheXls) {
    const CalcResult xls = RunCalc({kData + "/full_line_19x50.xls", "--json", "--base", "3"});
    ASSERT_EQ(xls.status, 0) << xls.err;
    for (const char* kind : {".xlsx", ".ods"}) {
        const CalcResult other =
            RunCalc({kData + "/full_line_19x50" + kind, "--json", "--base", "3"});
        EXPECT_EQ(other.status, 0) << kind << ": " << other.err;
        EXPECT_EQ(other.out, xls.out) << kind;
    }
}

TEST(CalcBookFormatsTest, NamedPipeIsRefusedInsteadOfWaitedFor) {
    const std::filesystem::path pipe =
        std::filesystem::temp_directory_path() / ("calc_pipe_" + std::to_string(getpid()));
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const CalcResult r = RunCalc({pipe.string(), "--json"});
    std::filesystem::remove(pipe);
    EXPECT_EQ(r.status, shaftline::cli::kExitWorkbook);
    EXPECT_NE(r.err.find("именованным каналом"), std::string::npos) << r.err;
}

TEST(CalcBookFormatsTest, ControlCharactersOfABookReachTheTerminalEscaped) {
    const CalcResult r = RunCalc({kData + "/control_characters.xls"});
    EXPECT_EQ(r.status, shaftline::cli::kExitWorkbook);
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\\e]0;"), std::string::npos) << r.err;
}

}  // namespace
