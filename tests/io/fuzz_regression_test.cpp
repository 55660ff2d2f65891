#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "shaft_line_workbook.h"

namespace {

namespace fs = std::filesystem;

// Every input that once stopped a fuzzing run stays here; each must be read or refused with a
// WorkbookError, never crash, throw anything else or leak.
TEST(FuzzRegressionTest, EveryKeptInputIsReadOrRefused) {
    const fs::path dir = fs::path(SHAFTLINE_IO_TEST_DATA) / "fuzz-regressions";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        try {
            const auto book = shaftline::io::ParseShaftLineWorkbook(bytes, "fuzz.xls", ",");
            EXPECT_FALSE(book.sheets.empty()) << entry.path();
        } catch (const shaftline::io::WorkbookError&) {
        }
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST(FuzzRegressionTest, DamagedDirectoryIsRefusedAsNoWorkbook) {
    // A compound file whose directory libgsf cannot follow (it leaks a little on it).
    const std::string path =
        std::string(SHAFTLINE_IO_TEST_DATA) + "/fuzz-regressions/gsf_directory_leak.xls";
    EXPECT_THROW(shaftline::io::ReadShaftLineWorkbook(path, "."), shaftline::io::WorkbookError);
}

}  // namespace
