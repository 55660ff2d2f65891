// The .xlsx writer under which every book is saved: exact numbers in any locale, and a failed
// write that says so only in the program's own words.
#include "xlsx_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "book_file.h"
#include "book_format.h"
#include "layout_book.h"
#include "shaft_line_workbook.h"

using namespace shaftline::io;

namespace {

namespace fs = std::filesystem;

class Folder {
  public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "shaftline-xlsx-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    std::size_t Count() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
    }

  private:
    std::string path_;
};

// A worksheet part of the book as another zip reader (Python's, which checks every CRC) finds it.
std::string SheetPart(const std::string& book) {
    const std::string command =
        "python3 -c \"import sys, zipfile; sys.stdout.write(zipfile.ZipFile(sys.argv[1])"
        ".read('xl/worksheets/sheet1.xml').decode())\" '" +
        book + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string part;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        part.append(buffer, n);
    EXPECT_EQ(::pclose(pipe), 0) << "the book's zip archive is not readable";
    return part;
}

class LocaleNumeric {
  public:
    explicit LocaleNumeric(const char* name) : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
        available_ = std::setlocale(LC_NUMERIC, name) != nullptr;
    }
    ~LocaleNumeric() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    bool Available() const { return available_; }

  private:
    std::string previous_;
    bool available_ = false;
};

TEST(XlsxWriterTest, NumbersReadBackToTheSameDoublesInARussianLocale) {
    const std::vector<double> values = {
        0.1 + 0.2, 1.0 / 3, 4974.5, 1e-300, -2.5e-7, 5e-324, 1.7976931348623157e308,
        14710.7,   -82.5,   8487,   0.1 * 3};
    Folder folder;
    const std::string path = folder.File("числа.xlsx");
    {
        const LocaleNumeric russian("ru_RU.UTF-8");
        ASSERT_TRUE(russian.Available()) << "the locale ru_RU.UTF-8 is not generated";
        XlsxBook book(path);
        XlsxSheet sheet = book.AddSheet("Числа");
        for (std::size_t i = 0; i < values.size(); ++i) {
            sheet.WriteNumber(static_cast<int>(i), 0, values[i]);
            sheet.WriteText(static_cast<int>(i), 1, "текст");
        }
        sheet.WriteNumber(0, 2, 1.5);  // a number overwritten by a text
        sheet.WriteText(0, 2, "слово");
        sheet.SetColumnWidth(0, 1, 13.7);
        book.Close();
    }
    const LayoutBook layout = ReadBookLayout(ReadBookFile(path).Span());
    ASSERT_EQ(layout.sheets.size(), 1U);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const LayoutCell& cell = layout.sheets[0].At(static_cast<int>(i), 0);
        ASSERT_EQ(cell.kind, CellKind::Number) << i;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(cell.number),
                  std::bit_cast<std::uint64_t>(values[i]))
            << "wrote " << values[i] << ", read " << cell.number;
    }
    EXPECT_EQ(layout.sheets[0].At(0, 2).kind, CellKind::Text);
    const std::string part = SheetPart(path);
    EXPECT_NE(part.find("<v>0.30000000000000004</v>"), std::string::npos) << part;
    const std::size_t width = part.find("width=\"");
    ASSERT_NE(width, std::string::npos) << part;
    EXPECT_EQ(part.substr(width, part.find('"', width + 7) - width).find(','), std::string::npos)
        << "a column width in the locale's writing: " << part;
}

TEST(XlsxWriterTest, ValueThatIsNotFiniteIsRefusedAndNothingIsLeft) {
    Folder folder;
    for (double value : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        XlsxBook book(folder.File("book.xlsx"));
        XlsxSheet sheet = book.AddSheet("Лист");
        EXPECT_THROW(sheet.WriteNumber(2, 1, value), WorkbookError) << value;
    }
    EXPECT_EQ(folder.Count(), 0U);
}

// The library tells of a failed write in English on standard error, naming the temporary
// file; only the program's Russian refusal may reach the user, and no part of the book stays.
TEST(XlsxWriterTest, WriteThatCannotOpenAFileSaysOnlyWhyInRussian) {
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers check a pointer's memory through a pipe of their own, which the exhausted
    // descriptor table refuses them: every object would look invalid.
    GTEST_SKIP() << "needs file descriptors the sanitizer runtime takes for itself";
#endif
    Folder folder;
    const std::string path = folder.File("book.xlsx");
    const std::string err = folder.File("stderr");
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        std::freopen(err.c_str(), "w", stderr);
        std::string message;
        try {
            XlsxBook book(path);
            XlsxSheet sheet = book.AddSheet("Лист");
            sheet.WriteNumber(0, 0, 1.5);
            // From here no file can be opened.
            const int free = ::dup(0);
            ::close(free);
            const rlimit limit{static_cast<rlim_t>(free), static_cast<rlim_t>(free)};
            ::setrlimit(RLIMIT_NOFILE, &limit);
            book.Close();
        } catch (const WorkbookError& e) {
            message = e.what();
        }
        std::fflush(stderr);
        if (::write(pipe[1], message.data(), message.size()) < 0) _exit(2);
        _exit(0);
    }
    ::close(pipe[1]);
    std::string message;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) message.append(buffer, n);
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);

    EXPECT_NE(message.find("не сохранена: открыто слишком много файлов"), std::string::npos)
        << message;
    std::ifstream in(err);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "");
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(folder.Count(), 1U) << "only the captured standard error";
}

}  // namespace
