// The .xlsx book the windows save: it must read back to the same counts, texts and types, both
// through our own reader and after Gnumeric's converter has turned it into a .xls, which proves
// the book a valid one that another program reads.
#include "shaft_line_book_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "book_file.h"
#include "book_format.h"
#include "shaft_line_workbook.h"
#include "test_books.h"

using namespace shaftline::io;

namespace {

namespace fs = std::filesystem;

using Row = std::array<std::string, 8>;
using Support = std::array<std::string, 18>;

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "shaftline-book-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    fs::path path_;
};

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Our book as another spreadsheet program reads it and saves it as a .xls.
std::string ConvertedToXls(const std::string& xlsx) {
    const std::string xls = xlsx + ".xls";
    const std::string command =
        "ssconvert -T Gnumeric_Excel:excel_biff8 '" + xlsx + "' '" + xls + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || !fs::exists(xls))
        throw std::runtime_error("ssconvert could not convert " + xlsx);
    return xls;
}

// Our book as our reader takes it, and as it comes back from another spreadsheet program.
std::vector<ShaftLineWorkbook> ReadBack(const ShaftLineWorkbook& book, const std::string& separator,
                                        const TempFolder& folder) {
    const std::string path = folder.File("Валопровод.xlsx");
    WriteShaftLineBook(path, book, separator);
    return {ReadShaftLineWorkbook(path, separator),
            ReadShaftLineWorkbook(ConvertedToXls(path), separator)};
}

// The layout cells of every sheet of a book, with their kinds.
LayoutBook Layout(const std::string& path) {
    return ReadBookLayout(ReadBookFile(path).Span());
}

RotorSheet Rotor(std::vector<Row> rows, Support support = {}, std::string type = {}) {
    RotorSheet sheet;
    sheet.sectionCount = static_cast<int>(rows.size());
    sheet.rows = std::move(rows);
    sheet.support = std::move(support);
    sheet.rotorType = std::move(type);
    return sheet;
}

void ExpectSameTexts(const ShaftLineWorkbook& actual, const ShaftLineWorkbook& expected) {
    ASSERT_EQ(actual.sheets.size(), expected.sheets.size());
    for (std::size_t k = 0; k < expected.sheets.size(); ++k) {
        EXPECT_EQ(actual.sheets[k].sectionCount, expected.sheets[k].sectionCount) << "rotor " << k;
        EXPECT_EQ(actual.sheets[k].rows, expected.sheets[k].rows) << "rotor " << k;
        EXPECT_EQ(actual.sheets[k].support, expected.sheets[k].support) << "rotor " << k;
    }
}

// Only odd rotors have a type; the book keeps it in K1.
void ExpectTypesOf(const ShaftLineWorkbook& actual, const ShaftLineWorkbook& typed) {
    ASSERT_EQ(actual.sheets.size(), typed.sheets.size());
    for (std::size_t k = 0; k < typed.sheets.size(); ++k)
        EXPECT_EQ(actual.sheets[k].rotorType, k % 2 == 0 ? typed.sheets[k].rotorType : "")
            << "rotor " << k + 1;
}

struct RoundTrip {
    const char* name;
    const char* separator;
    ShaftLineWorkbook typed;
    ShaftLineWorkbook readBack;  // what the reader gives for the typed texts
};

void PrintTo(const RoundTrip& trip, std::ostream* out) {
    *out << trip.name;
}

class BookRoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(BookRoundTripTest, ReadsBackTheTypedTexts) {
    TempFolder folder;
    for (const ShaftLineWorkbook& book : ReadBack(GetParam().typed, GetParam().separator, folder)) {
        ExpectSameTexts(book, GetParam().readBack);
        ExpectTypesOf(book, GetParam().typed);
    }
}

Support Supports(const std::string& first, const std::string& last) {
    Support support;
    support.front() = first;
    support.back() = last;
    return support;
}

INSTANTIATE_TEST_SUITE_P(
    Books, BookRoundTripTest,
    ::testing::Values(
        // Numbers come back in the general format; a wrong entry, a number with more digits
        // than that format keeps and a number in another locale's writing stay texts.
        RoundTrip{"TypedTextsPointLocale",
                  ".",
                  {{Rotor({{"100", "1.50", "-0.35", "2E20", "007", "", "текст", "1,5"},
                           {"0.12345678901234567", "1e3", " 42", "1.2.3", "12345678901234567", "-0",
                            "=A1", "0"}},
                          Supports("9000", "-0.2"), "Цельнокованный"),
                    Rotor({{"700", "", "", "", "", "", "", ""}})}},
                  {{Rotor({{"100", "1.5", "-0.35", "2E20", "7", "", "текст", "1,5"},
                           {"0.12345678901234567", "1000", "42", "1.2.3", "12345678901234567", "0",
                            "=A1", "0"}},
                          Supports("9000", "-0.2")),
                    Rotor({{"700", "", "", "", "", "", "", ""}})}}},
        RoundTrip{"CommaLocale",
                  ",",
                  {{Rotor({{"250,75", "1.5", "0,3", "-1,5E-5", "21000", "1 000", "0,1", "5,"}},
                          Supports("-0,35", "0,12"), "С насадными дисками")}},
                  {{Rotor({{"250,75", "1.5", "0,3", "-1,5E-5", "21000", "1 000", "0,1", "5"}},
                          Supports("-0,35", "0,12"))}}}),
    [](const auto& info) { return std::string(info.param.name); });

// The base rotor stands in K2 of the first sheet; a number that names no rotor of the book is
// none, as is a book that never named one.
TEST(BookWriterTest, BaseRotorReadsBack) {
    const RotorSheet rotor = Rotor({{"100", "", "", "", "", "", "", ""}});
    TempFolder folder;
    for (const auto& [base, readBack] : {std::pair{3, 3}, {0, 0}, {1, 1}, {4, 0}}) {
        ShaftLineWorkbook book{{rotor, rotor, rotor}};
        book.baseRotor = base;
        for (const ShaftLineWorkbook& read : ReadBack(book, ".", folder))
            EXPECT_EQ(read.baseRotor, readBack) << "base " << base;
    }
}

TEST(BookWriterTest, LargestShaftLineReadsBackUnchanged) {
    for (const char* separator : {".", ","}) {
        const ShaftLineWorkbook line =
            ReadShaftLineWorkbook(test_books::Data("full_line_19x50.xls"), separator);
        ASSERT_EQ(line.sheets.size(), 19U);
        TempFolder folder;
        for (const ShaftLineWorkbook& book : ReadBack(line, separator, folder))
            ExpectSameTexts(book, line);
    }
}

// What a person sees: numbers as numbers, the rotor type beside its label, headers in the
// rows the reader skips.
TEST(BookWriterTest, NumbersAreNumbersAndTheTypeStandsInK1) {
    TempFolder folder;
    const std::string path = folder.File("book.xlsx");
    ShaftLineWorkbook book{{Rotor({{"100", "1,5", "abc", "", "", "", "", ""},
                                   {"200", "0", "0", "0", "0", "21000", "0", "0"}},
                                  Supports("9000", "0,1"), "Цельнокованный"),
                            Rotor({{"50", "", "", "", "", "", "", ""}})}};
    WriteShaftLineBook(path, book, ",");
    const LayoutBook layout = Layout(path);
    ASSERT_EQ(layout.sheets.size(), 2U);

    const LayoutSheet& first = layout.sheets[0];
    const auto text = [&layout](const LayoutCell& cell) { return layout.Text(cell); };
    EXPECT_EQ(first.Name(), "Ротор 1");
    EXPECT_EQ(first.At(0, 0).kind, CellKind::Number);
    EXPECT_EQ(first.At(0, 0).number, 2);
    EXPECT_EQ(first.At(1, 1).kind, CellKind::Number);
    EXPECT_EQ(first.At(1, 1).number, 1.5);
    EXPECT_EQ(first.At(1, 2).kind, CellKind::Text);
    EXPECT_EQ(first.At(1, 3).kind, CellKind::Empty);
    EXPECT_EQ(text(first.At(0, 9)), "Тип ротора");
    EXPECT_EQ(text(first.At(0, 10)), "Цельнокованный");
    EXPECT_EQ(text(first.At(0, 7)), "Число лопаток");
    EXPECT_EQ(text(first.At(3, 0)), "Выс. фунд. лев.");
    EXPECT_EQ(text(first.At(3, 10)), "Темп. фунд. прав.");
    EXPECT_EQ(first.At(4, 0).number, 9000);

    const LayoutSheet& second = layout.sheets[1];
    EXPECT_EQ(second.Name(), "Ротор 2");
    EXPECT_EQ(second.At(0, 9).kind, CellKind::Empty);
    EXPECT_EQ(second.At(0, 10).kind, CellKind::Empty);
}

struct FailedSave {
    const char* name;
    std::function<std::string(const TempFolder&)> target;  // the path to save to
    ShaftLineWorkbook book;
    const char* reason;
};

ShaftLineWorkbook OneRotor(const std::string& coordinate = "100") {
    return {{Rotor({{coordinate, "", "", "", "", "", "", ""}})}};
}

void PrintTo(const FailedSave& save, std::ostream* out) {
    *out << save.name;
}

class FailedSaveTest : public ::testing::TestWithParam<FailedSave> {};

TEST_P(FailedSaveTest, SaysWhyAndLeavesThePreviousBook) {
    TempFolder folder;
    const std::string previous = folder.File("book.xlsx");
    WriteShaftLineBook(previous, OneRotor("1"), ".");
    const std::string before = ReadBytes(previous);
    try {
        WriteShaftLineBook(GetParam().target(folder), GetParam().book, ".");
        FAIL() << "saved";
    } catch (const WorkbookError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("не сохранена"), std::string::npos) << message;
        EXPECT_NE(message.find(GetParam().reason), std::string::npos) << message;
    }
    EXPECT_EQ(ReadBytes(previous), before);
    const std::vector<std::string> left = folder.Names();
    EXPECT_TRUE(left == std::vector<std::string>{"book.xlsx"} ||
                left == (std::vector<std::string>{"book.xlsx", "file"}))
        << left.size() << " files";
}

std::string Book(const TempFolder& folder) {
    return folder.File("book.xlsx");
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, FailedSaveTest,
    ::testing::
        Values(
            FailedSave{"TextTooLongForACell",
                       Book,
                       {{Rotor({{"1", "", "", "", "", "", "", ""}}),
                         Rotor({{"1", "2", std::string(40000, 'x'), "", "", "", "", ""}})}},
                       "лист «Ротор 2», ячейка C2: текст длиннее 32767 знаков"},
            FailedSave{"NoRotor", Book, {}, "нет ни одного ротора"},
            FailedSave{"TwentyRotors",
                       Book,
                       {std::vector<RotorSheet>(20, Rotor({{"1", "", "", "", "", "", "", ""}}))},
                       "роторов 20"},
            FailedSave{"NoSection", Book, {{Rotor({})}}, "у ротора 1 число участков 0"},
            FailedSave{"MissingFolder",
                       [](const TempFolder& f) { return f.File("нет такой/book.xlsx"); },
                       OneRotor(), "папка не найдена"},
            FailedSave{"FolderInPlaceOfTheBook", [](const TempFolder& f) { return f.File(""); },
                       OneRotor(), "на месте книги стоит папка"},
            FailedSave{
                "FileInThePath",
                [](const TempFolder& f) {
                    std::ofstream(f.File("file")) << "x";
                    return f.File("file/book.xlsx");
                },
                OneRotor(), "в пути к папке стоит файл"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BookWriterTest, ReplacesTheBookWhereItLiesWithItsPermissions) {
    TempFolder folder;
    const std::string real = folder.File("real.xlsx");
    const std::string link = folder.File("link.xlsx");
    WriteShaftLineBook(real, OneRotor("1"), ".");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    fs::create_symlink(real, link);

    WriteShaftLineBook(link, OneRotor("2"), ".");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadShaftLineWorkbook(ConvertedToXls(real), ".").sheets[0].rows[0][0], "2");
    struct stat status {};
    ASSERT_EQ(::stat(real.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640U);

    const mode_t mask = ::umask(022);
    const std::string fresh = folder.File("fresh.xlsx");
    WriteShaftLineBook(fresh, OneRotor(), ".");
    ::umask(mask);
    ASSERT_EQ(::stat(fresh.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0644U);
}

}  // namespace
