#include <gtest/gtest.h>

#include <filesystem>

#include "book_file.h"
#include "shaft_line_workbook.h"
#include "test_books.h"

namespace {

namespace fs = std::filesystem;

// Every input that once stopped a fuzzing run stays here; each must be read or refused with a
// WorkbookError, never crash, throw anything else or leak.
TEST(FuzzRegressionTest, EveryKeptInputIsReadOrRefused) {
    const fs::path dir = test_books::Data("fuzz-regressions");
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const shaftline::io::BookBytes bytes = shaftline::io::ReadBookFile(entry.path().string());
        try {
            const auto book = shaftline::io::ParseShaftLineWorkbook(bytes.Span(), "fuzz.xls", ",");
            EXPECT_FALSE(book.sheets.empty()) << entry.path();
        } catch (const shaftline::io::WorkbookError&) {
        }
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST(FuzzRegressionTest, DamagedDirectoryIsRefusedAsNoWorkbook) {
    // A compound file whose directory libgsf cannot follow (it leaks a little on it).
    const std::string path = test_books::Data("fuzz-regressions/gsf_directory_leak.xls");
    EXPECT_THROW(shaftline::io::ReadShaftLineWorkbook(path, "."), shaftline::io::WorkbookError);
}

}  // namespace
