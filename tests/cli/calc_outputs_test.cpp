// shaftline-calc --results, --report and --field-sheet never destroy the book they read, each
// other, or a file that is not theirs to replace, and say why in Russian.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <functional>

#include "calc_process.h"

namespace {

namespace fs = std::filesystem;

class Folder {
  public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "calc-outputs-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        fs::copy_file(SHAFTLINE_SAMPLE_WORKBOOK, Book());
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Book() const { return File("book.xls"); }

  private:
    fs::path path_;
};

struct Outputs {
    const char* name;
    // The arguments after the book, made in the folder.
    std::function<std::vector<std::string>(const Folder&)> args;
    int status;
    const char* message;
};

void PrintTo(const Outputs& row, std::ostream* out) {
    *out << row.name;
}

class CalcOutputsTest : public ::testing::TestWithParam<Outputs> {};

TEST_P(CalcOutputsTest, RefusesAndKeepsTheBook) {
    const Folder folder;
    const std::string before = ReadWhole(folder.Book());
    std::vector<std::string> args = {folder.Book(), "--json"};
    for (const std::string& a : GetParam().args(folder)) args.push_back(a);
    const CalcResult r = RunCalc(args);
    EXPECT_EQ(r.status, GetParam().status) << r.err;
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("[ERROR]"), std::string::npos) << r.err;
    EXPECT_EQ(ReadWhole(folder.Book()), before);
}

std::string Fifo(const Folder& f) {
    const std::string fifo = f.File("pipe");
    ::mkfifo(fifo.c_str(), 0666);
    return fifo;
}

INSTANTIATE_TEST_SUITE_P(
    Targets, CalcOutputsTest,
    ::testing::Values(Outputs{"ResultsOverTheBook",
                              [](const Folder& f) {
                                  return std::vector<std::string>{"--results", f.Book()};
                              },
                              2, "--results: «"},
                      Outputs{"ReportOverTheBookThroughASymbolicLink",
                              [](const Folder& f) {
                                  fs::create_symlink(f.Book(), f.File("link.pdf"));
                                  return std::vector<std::string>{"--report", f.File("link.pdf")};
                              },
                              2, "» — это сама книга с данными"},
                      Outputs{"ResultsOverTheBookThroughAHardLink",
                              [](const Folder& f) {
                                  fs::create_hard_link(f.Book(), f.File("hard.xlsx"));
                                  return std::vector<std::string>{"--results", f.File("hard.xlsx")};
                              },
                              2, "это сама книга"},
                      Outputs{"ReportAndResultsInOneNewFile",
                              [](const Folder& f) {
                                  return std::vector<std::string>{"--report", f.File("out"),
                                                                  "--results", f.File("./out")};
                              },
                              2, "--report и --results указывают на один файл"},
                      Outputs{"FieldSheetOverTheBook",
                              [](const Folder& f) {
                                  return std::vector<std::string>{"--field-sheet", f.Book()};
                              },
                              2, "--field-sheet: «"},
                      Outputs{"FieldSheetAndReportInOneNewFile",
                              [](const Folder& f) {
                                  return std::vector<std::string>{"--report", f.File("out"),
                                                                  "--field-sheet", f.File("./out")};
                              },
                              2, "--field-sheet и --report указывают на один файл"},
                      Outputs{"FieldSheetIntoAPipe",
                              [](const Folder& f) {
                                  return std::vector<std::string>{"--field-sheet", Fifo(f)};
                              },
                              1, "/pipe» не записан: на месте формуляра стоит не обычный файл"},
                      Outputs{"ReportIntoAPipe",
                              [](const Folder& f) {
                                  return std::vector<std::string>{"--report", Fifo(f)};
                              },
                              1, "/pipe» не записан: на месте отчета стоит не обычный файл"},
                      Outputs{"ResultsIntoAPipe",
                              [](const Folder& f) {
                                  return std::vector<std::string>{"--results", Fifo(f)};
                              },
                              1, "/pipe» не сохранена: на месте книги стоит не обычный файл"},
                      Outputs{"ReportIntoADanglingLink",
                              [](const Folder& f) {
                                  fs::create_symlink(f.File("nowhere.pdf"), f.File("link.pdf"));
                                  return std::vector<std::string>{"--report", f.File("link.pdf")};
                              },
                              1, "ссылка ведет к несуществующему файлу"},
                      Outputs{"LongPathKeepsTheFileName",
                              [](const Folder& f) {
                                  return std::vector<std::string>{
                                      "--results",
                                      f.File(std::string(80, 'x') + "/результаты.xlsx")};
                              },
                              1, "/результаты.xlsx» не сохранена: папка не найдена"}),
    [](const auto& info) { return std::string(info.param.name); });

// A module that cannot be loaded: the loader's reason stays in the message, after the
// module's name, and the output is named with the right ending.
TEST(CalcOutputs, ModuleThatDoesNotLoadSaysWhy) {
    const Folder folder;
    const fs::path program = folder.File("program");
    fs::create_directories(program / "modules");
    fs::copy_file(SHAFTLINE_CALC, program / "shaftline-calc");
    std::ofstream(program / "modules" / "shaftline-calc-results.so") << "no library";
    const std::string command = "'" + (program / "shaftline-calc").string() + "' '" +
                                folder.Book() + "' --results '" + folder.File("r.xlsx") +
                                "' >/dev/null 2>'" + folder.File("err") + "'";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);
    const std::string err = ReadWhole(folder.File("err"));
    EXPECT_NE(err.find("книга результатов «"), std::string::npos) << err;
    EXPECT_NE(err.find("r.xlsx» не записана: модуль «"), std::string::npos) << err;
    EXPECT_NE(err.find("shaftline-calc-results.so» не загружен: file too short"), std::string::npos)
        << err;
}

}  // namespace
