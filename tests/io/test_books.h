#pragma once

// The test books and the check of a refused one, for the book reader's tests.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "message_text.h"
#include "shaft_line_book_writer.h"
#include "shaft_line_workbook.h"

namespace test_books {

/// A book of the committed test data.
inline std::string Data(const std::string& name) {
    return std::string(SHAFTLINE_IO_TEST_DATA) + "/" + name;
}

/// A book written into the build tree by the test io_hostile_books.
inline std::string Hostile(const std::string& name) {
    const std::string path = std::string(SHAFTLINE_IO_HOSTILE_DATA) + "/" + name;
    EXPECT_TRUE(std::filesystem::exists(path))
        << path << " is written by the test io_hostile_books";
    return path;
}

/// The book is refused with one message that quotes its path, holds every fragment and lets
/// no raw escape through to a terminal.
inline void ExpectRefused(const std::string& path, const std::vector<std::string>& fragments) {
    try {
        shaftline::io::ReadShaftLineWorkbook(path, ".");
        FAIL() << "accepted " << path;
    } catch (const shaftline::io::WorkbookError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("«" + shaftline::QuotedForMessage(path) + "»"), std::string::npos)
            << message;
        for (const std::string& fragment : fragments) {
            EXPECT_NE(message.find(fragment), std::string::npos) << message;
        }
        EXPECT_EQ(message.find('\x1b'), std::string::npos) << "raw escape in " << message;
    }
}

/// A rotor of one 500 mm section on level supports, as the book writer takes it.
inline shaftline::io::RotorSheet OneSectionSheet() {
    shaftline::io::RotorSheet sheet;
    sheet.sectionCount = 1;
    sheet.rows.push_back({"500", "0", "200", "0", "0", "21000", "0", "0"});
    sheet.support.fill("0");
    return sheet;
}

/// The book saved as .xlsx with the given separator and read back. ctest runs the tests of a
/// file side by side, so each process writes a file of its own, named after `name`.
inline shaftline::io::ShaftLineWorkbook SavedAndReadBack(
    const shaftline::io::ShaftLineWorkbook& book, const std::string& name, const char* separator) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              (name + "_" + std::to_string(::getpid()) + ".xlsx"))
                                 .string();
    shaftline::io::WriteShaftLineBook(path, book, separator);
    shaftline::io::ShaftLineWorkbook read = shaftline::io::ReadShaftLineWorkbook(path, separator);
    std::filesystem::remove(path);
    return read;
}

}  // namespace test_books
