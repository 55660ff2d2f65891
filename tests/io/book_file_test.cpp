// Only regular files are read as books, and never waited for.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "shaft_line_workbook.h"
#include "test_books.h"

using namespace shaftline::io;

namespace {

namespace fs = std::filesystem;

class BookFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("shaftline_book_file_" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_ / "locked", fs::perms::owner_all, ignored);
        fs::remove_all(dir_, ignored);
    }

    static void ExpectRefused(const fs::path& path, const std::string& reason) {
        test_books::ExpectRefused(path.string(), {reason});
    }

    fs::path dir_;
};

TEST_F(BookFileTest, NamedPipeIsRefusedAtOnce) {
    // Opened the ordinary way, a pipe without a writer blocks the reader for ever.
    const fs::path pipe = dir_ / "Data.xls";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ExpectRefused(pipe, "именованным каналом");
}

TEST_F(BookFileTest, DeviceIsRefused) {
    ExpectRefused("/dev/null", "не является обычным файлом");
}

TEST_F(BookFileTest, SymbolicLinkLoopIsNamedAsSuch) {
    fs::create_symlink(dir_ / "b.xls", dir_ / "a.xls");
    fs::create_symlink(dir_ / "a.xls", dir_ / "b.xls");
    ExpectRefused(dir_ / "a.xls", "символические ссылки в пути образуют петлю");
}

TEST_F(BookFileTest, FolderThatMayNotBeSearchedIsNamedAsSuch) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser may search any folder";
    fs::create_directories(dir_ / "locked");
    fs::copy_file(test_books::Data("three_sheets.xls"), dir_ / "locked" / "book.xls");
    fs::permissions(dir_ / "locked", fs::perms::owner_read);
    ExpectRefused(dir_ / "locked" / "book.xls", "нет права читать файл или искать в его папке");
}

TEST_F(BookFileTest, PathThroughAFileIsNotFound) {
    fs::copy_file(test_books::Data("three_sheets.xls"), dir_ / "book.xls");
    ExpectRefused(dir_ / "book.xls" / "Data.xls", "не найден");
}

}  // namespace
