// The support lifts in force a book carries: added to every state of the coupled line, shown
// in the JSON and the text, carried into the coupling targets; the optimisation's targets are
// those of a book with its lifts in force; the journals a book keeps serve the choice of lifts.
#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "calc_process.h"
#include "lift_cells.h"
#include "shaft_line_book_writer.h"

namespace {

using namespace shaftline;
using Json = nlohmann::json;

// The sample line saved with the given lifts in force and journals.
std::string BookWithLifts(const std::string& name, const std::vector<double>& lifts,
                          const io::JournalTexts& journals = {}) {
    io::ShaftLineWorkbook book = io::ReadShaftLineWorkbook(SHAFTLINE_SAMPLE_WORKBOOK, ".");
    book.lifts = io::LiftTexts(lifts, ".");
    book.journals = journals;
    const auto path = std::filesystem::temp_directory_path() / (name + std::to_string(getpid()) + ".xlsx");
    io::WriteShaftLineBook(path.string(), book, ".");
    return path.string();
}

// What a shell command prints.
std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

Json CalcJson(const std::vector<std::string>& args) {
    const CalcResult r = RunCalc(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0 ? Json::parse(r.out) : Json();
}

TEST(LiftsInForce, RaiseEveryStateAndMoveTheTargets) {
    const Json plain = CalcJson({SHAFTLINE_SAMPLE_WORKBOOK, "--base", "3", "--json"});
    const std::size_t supports = plain["coupled"]["supports"].size();
    ASSERT_GE(supports, 4u);
    std::vector<double> lifts(supports, 0.0);
    lifts[1] = 0.25;
    lifts[supports - 1] = -0.4;
    const std::string book = BookWithLifts("lifts_in_force", lifts);
    const Json lifted = CalcJson({book, "--base", "3", "--json"});
    const std::string results = book + ".results.xlsx", report = book + ".pdf";
    const CalcResult text = RunCalc({book, "--base", "3", "--results", results, "--report", report});
    std::filesystem::remove(book);
    const std::string strings = Output("unzip -p '" + results + "' xl/sharedStrings.xml");
    const std::string pdf = Output("pdftotext '" + report + "' -");
    std::filesystem::remove(results);
    std::filesystem::remove(report);
    const std::string marked = "Подъёмы опор в силе, мм: опора 2 0.25; опора " + std::to_string(supports) + " -0.4";
    EXPECT_NE(strings.find(marked), std::string::npos) << strings.substr(0, 2000);
    EXPECT_NE(pdf.find("Подъёмы опор в силе"), std::string::npos);
    EXPECT_NE(text.out.find(marked + "; расцентровки всех состояний даны с ними"), std::string::npos);
    EXPECT_EQ(lifted["coupled"]["lifts"], Json(lifts));
    const auto influence = plain["coupled"]["influence"].get<std::vector<std::vector<double>>>();
    for (const char* state : {"level", "nominal", "assembly"}) {
        const auto before = plain["coupled"]["states"][state]["loads"].get<std::vector<double>>();
        const auto after = lifted["coupled"]["states"][state]["loads"].get<std::vector<double>>();
        for (std::size_t i = 0; i < supports; ++i) {
            double expected = before[i];
            for (std::size_t j = 0; j < supports; ++j) expected += influence[i][j] * lifts[j];
            EXPECT_NEAR(after[i], expected, 1e-9 * std::abs(before[i]) + 1e-9) << state << i;
        }
    }
    ASSERT_FALSE(plain["alignment"]["couplings"].empty());
    EXPECT_NE(lifted["alignment"]["couplings"][0]["targets"], plain["alignment"]["couplings"][0]["targets"]);
    EXPECT_NE(text.out.find("С подъёмами опор в силе, мм: опора 2 0.250; опора " +
                            std::to_string(supports) + " -0.400"),
              std::string::npos)
        << text.out;
}

// Putting the chosen lifts in force gives the targets the optimisation announced.
TEST(LiftsInForce, OptimisedTargetsAreThoseOfTheLiftsPutInForce) {
    const auto task = std::filesystem::temp_directory_path() / ("lifts_task" + std::to_string(getpid()) + ".json");
    std::ofstream(task) << R"({"band": 20})";
    const Json optimised = CalcJson({SHAFTLINE_SAMPLE_WORKBOOK, "--base", "3", "--json", "--optimise", task.string()});
    std::filesystem::remove(task);
    const Json& o = optimised["optimisation"];
    const std::string book = BookWithLifts("lifts_optimised", o["lifts"].get<std::vector<double>>());
    const Json applied = CalcJson({book, "--base", "3", "--json"});
    std::filesystem::remove(book);
    const Json& couplings = applied["alignment"]["couplings"];
    ASSERT_EQ(o["targets"].size(), couplings.size());
    for (std::size_t c = 0; c < couplings.size(); ++c) {
        for (const char* state : {"nominal", "assembly"}) {
            for (const char* key : {"offset", "angle"}) {
                const double announced = o["targets"][c]["targets"][state][key];
                const double found = couplings[c]["targets"][state][key];
                EXPECT_NEAR(announced, found, 1e-9 + 1e-9 * std::abs(found)) << c << state << key;
            }
        }
        EXPECT_EQ(o["targets"][c]["number"], couplings[c]["number"]);
    }
    EXPECT_NEAR(applied["coupled"]["states"]["assembly"]["loads"][0].get<double>(),
                o["states"]["assembly"]["loads"][0].get<double>(), 1e-6);
}

// The journals a book keeps serve a task that gives none; a task's own journals replace them,
// and a damaged journal cell stops only a choice of lifts that would use it.
TEST(LiftsInForce, BookJournalsServeTheChoiceOfLifts) {
    const auto task = std::filesystem::temp_directory_path() / ("journal_task" + std::to_string(getpid()) + ".json");
    const auto own = std::filesystem::temp_directory_path() / ("journal_own" + std::to_string(getpid()) + ".json");
    std::ofstream(task) << R"({"band": 20})";
    std::ofstream(own) << R"({"journals": [{"support": 2, "diameter": 200, "length": 100}]})";
    const std::string book = BookWithLifts("journals", {}, {{{"300"}, {"250"}, {"30"}}});
    const Json kept = CalcJson({book, "--base", "3", "--json", "--optimise", task.string()});
    const Json replaced = CalcJson({book, "--base", "3", "--json", "--optimise", own.string()});
    const std::string damaged = BookWithLifts("journals_bad", {}, {{{"300"}, {"0"}, {}}});
    const CalcResult refused = RunCalc({damaged, "--base", "3", "--json", "--optimise", task.string()});
    const CalcResult plain = RunCalc({damaged, "--base", "3", "--json"});
    for (const auto& path : {task, own}) std::filesystem::remove(path);
    for (const auto& path : {book, damaged}) std::filesystem::remove(path);

    const Json& nominal = kept["optimisation"]["states"]["nominal"];
    EXPECT_NEAR(nominal["pressures"][0].get<double>(), 100 * nominal["loads"][0].get<double>() / (300 * 250), 1e-12);
    EXPECT_TRUE(nominal["pressures"][1].is_null());
    const Json& other = replaced["optimisation"]["states"]["nominal"];
    EXPECT_TRUE(other["pressures"][0].is_null());
    EXPECT_NEAR(other["pressures"][1].get<double>(), 100 * other["loads"][1].get<double>() / (200 * 100), 1e-12);
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.err.find("ячейка U3"), std::string::npos) << refused.err;
    EXPECT_EQ(plain.status, 0) << plain.err;
}

TEST(LiftsInForce, UnusableLiftCellIsRefusedByName) {
    io::ShaftLineWorkbook book = io::ReadShaftLineWorkbook(SHAFTLINE_SAMPLE_WORKBOOK, ".");
    book.lifts = {"0", "вверх"};
    const auto path = std::filesystem::temp_directory_path() / ("lifts_bad" + std::to_string(getpid()) + ".xlsx");
    io::WriteShaftLineBook(path.string(), book, ".");
    const CalcResult r = RunCalc({path.string(), "--json"});
    std::filesystem::remove(path);
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.err.find("ячейка V1"), std::string::npos) << r.err;
}

}  // namespace
