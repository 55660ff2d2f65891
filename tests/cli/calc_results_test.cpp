// shaftline-calc --results: the results book, as another spreadsheet program reads it, holds
// the numbers of the JSON output.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "calc_process.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;
using Table = std::vector<std::vector<std::string>>;

// One CSV record per line; quoted fields may hold commas and doubled quotes, never line breaks
// (the book has none in its cells).
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// Every sheet of the book, in order, as Gnumeric exports it.
std::vector<Table> SheetsOf(const fs::path& xlsx) {
    const std::string csv = xlsx.string() + ".csv";
    const std::string command = "LC_ALL=C ssconvert -S -T Gnumeric_stf:stf_csv '" + xlsx.string() +
                                "' '" + csv + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("ssconvert failed");
    std::vector<Table> sheets;
    for (int k = 0; fs::exists(csv + "." + std::to_string(k)); ++k) {
        const fs::path sheet = csv + "." + std::to_string(k);
        std::istringstream lines(ReadWhole(sheet));
        Table table;
        for (std::string line; std::getline(lines, line);) table.push_back(CsvFields(line));
        sheets.push_back(std::move(table));
        fs::remove(sheet);
    }
    return sheets;
}

// The rows under the `occurrence`-th header whose first cell is `first`, read by caption.
class Block {
  public:
    Block(const Table& table, const std::string& first, int occurrence = 1) : table_(table) {
        for (std::size_t r = 0; r < table.size(); ++r)
            if (!table[r].empty() && table[r][0] == first && --occurrence == 0) {
                header_ = r;
                return;
            }
        throw std::runtime_error("no table headed " + first);
    }
    // The number in the `row`-th line below the header (from 0) under `caption`.
    std::optional<double> Number(std::size_t row, const std::string& caption) const {
        const std::vector<std::string>& head = table_[header_];
        const auto column = std::find(head.begin(), head.end(), caption);
        if (column == head.end()) throw std::runtime_error("no column " + caption);
        const std::vector<std::string>& line = table_.at(header_ + 1 + row);
        const std::size_t c = static_cast<std::size_t>(column - head.begin());
        if (c >= line.size() || line[c].empty()) return std::nullopt;
        return std::stod(line[c]);
    }

  private:
    const Table& table_;
    std::size_t header_ = 0;
};

void ExpectSame(std::optional<double> written, double computed, const std::string& what) {
    ASSERT_TRUE(written.has_value()) << what;
    EXPECT_NEAR(*written, computed, 1e-12 * std::abs(computed)) << what;
}

class CalcResults : public ::testing::Test {
  protected:
    void TearDown() override { fs::remove(book_); }
    const fs::path book_ =
        fs::temp_directory_path() / ("calc_results_" + std::to_string(getpid()) + ".xlsx");
};

TEST_F(CalcResults, BookOfTheAlignedSampleHoldsTheNumbersOfTheJson) {
    const CalcResult plain = RunCalc({"--base", "3", "--json"});
    const CalcResult r = RunCalc({"--base", "3", "--json", "--results", book_.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, plain.out);
    const Json json = Json::parse(r.out);
    const std::vector<Table> sheets = SheetsOf(book_);
    const std::size_t count = json["rotors"].size();
    // The summary, a sheet per rotor and the alignment of the couplings.
    ASSERT_EQ(sheets.size(), 2 + count);

    const Block rotors(sheets[0], "Ротор");
    for (std::size_t k = 0; k < count; ++k) {
        const Json& rotor = json["rotors"][k];
        const std::string name = "rotor " + std::to_string(k + 1);
        ExpectSame(rotors.Number(k, "Реакция левой опоры, кгс"), rotor["left_reaction"], name);
        ExpectSame(rotors.Number(k, "Подъем правой опоры (монтажная поправка), мм"),
                   rotor["right_support_rise"], name);
        ExpectSame(rotors.Number(k, "Монтажное состояние: угол поворота шейки на левой опоре, рад"),
                   rotor["assembly_left_angle"], name);
        if (k > 0)
            ExpectSame(rotors.Number(k, "Излом в муфте перед ротором, рад"),
                       rotor["coupling_break"], name);
        else
            EXPECT_FALSE(rotors.Number(k, "Излом в муфте перед ротором, рад"));
    }

    const Json& coupled = json["coupled"];
    const Block supports(sheets[0], "Опора");
    const Block influence(sheets[0], "Опора", 2);
    for (std::size_t j = 0; j < coupled["supports"].size(); ++j) {
        const std::string name = "support " + std::to_string(j + 1);
        const Json& assembly = coupled["states"]["assembly"];
        ExpectSame(supports.Number(j, "Монтажное состояние: нагрузка, кгс"), assembly["loads"][j],
                   name);
        ExpectSame(supports.Number(j, "Монтажное состояние: изгибающий момент, кгс·мм"),
                   assembly["moments"][j], name);
        ExpectSame(supports.Number(j, "Нагрузка без связи роторов, кгс"),
                   coupled["supports"][j]["own_load"], name);
        ExpectSame(influence.Number(j, std::to_string(count + 1 - j)),
                   coupled["influence"][j][count - j], name);
    }

    for (const Json& series : json["charts"]["assembly"]) {
        const std::size_t k = series["rotor"];
        const Block sections(sheets[k], "Сечение");
        const Json& rotor = json["rotors"][k - 1];
        for (std::size_t i = 0; i < rotor["sections"].size(); ++i) {
            const std::string name = "rotor " + std::to_string(k) + " section " + std::to_string(i);
            const Json& section = rotor["sections"][i];
            ExpectSame(sections.Number(i, "Прогиб в сечениях, мм"), section["deflection"], name);
            ExpectSame(sections.Number(i, "Смещение линии, мм"), section["line_offset"], name);
            ExpectSame(sections.Number(i, "Монтажное состояние: упругая линия, мм"),
                       series["points"][i][1], name);
            if (i > 0) ExpectSame(sections.Number(i, "Вес участка, кгс"), section["mass"], name);
        }
    }

    const Block couplings(sheets.back(), "Муфта");
    const Json& alignment = json["alignment"]["couplings"];
    ASSERT_GT(alignment.size(), 0u);
    for (std::size_t c = 0; c < alignment.size(); ++c) {
        const std::string name = "coupling " + std::to_string(c + 1);
        const Json& target = alignment[c]["targets"]["assembly"];
        ExpectSame(couplings.Number(c, "Монтажное состояние: смещение, мм"), target["offset"],
                   name);
        ExpectSame(couplings.Number(c, "Монтажное состояние: излом, рад"), target["angle"], name);
        ExpectSame(couplings.Number(c, "Плоскость муфты, мм"), alignment[c]["plane"], name);
    }
}

TEST_F(CalcResults, BookThatCannotBeWrittenFailsAfterTheOutput) {
    const CalcResult plain = RunCalc({});
    const CalcResult r = RunCalc({"--results", "/no/such/folder/r.xlsx"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, plain.out);
    EXPECT_NE(r.err.find("/no/such/folder/r.xlsx"), std::string::npos) << r.err;
}

// A calculator copied without its modules still calculates; only the outputs they write fail.
TEST_F(CalcResults, CalculatorWithoutItsModulesSaysWhichIsMissing) {
    const fs::path folder = fs::temp_directory_path() / ("calc_alone_" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::copy_file(SHAFTLINE_CALC, folder / "shaftline-calc");
    const std::string run =
        "'" + (folder / "shaftline-calc").string() + "' '" + SHAFTLINE_SAMPLE_WORKBOOK + "' --json";
    const int plain = std::system((run + " >'" + (folder / "plain").string() + "'").c_str());
    const int status =
        std::system((run + " --results '" + book_.string() + "' >'" + (folder / "out").string() +
                     "' 2>'" + (folder / "err").string() + "'")
                        .c_str());
    EXPECT_EQ(plain, 0);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(ReadWhole(folder / "out"), ReadWhole(folder / "plain"));
    const std::string err = ReadWhole(folder / "err");
    EXPECT_NE(err.find("книга результатов"), std::string::npos) << err;
    EXPECT_NE(err.find("modules/shaftline-calc-results.so» не найден"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(book_));
    fs::remove_all(folder);
}

}  // namespace
