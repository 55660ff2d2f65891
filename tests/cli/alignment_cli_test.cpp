// The alignment on site in the calculator: the --alignment file, its refusals, and the
// "alignment" object of the JSON results on the sample workbook.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "alignment_file.h"
#include "calc_options.h"
#include "calc_process.h"
#include "shaft_line_book_writer.h"
#include "shaft_line_workbook.h"

namespace {

using namespace shaftline;
using Json = nlohmann::ordered_json;

struct BadFile {
    const char* name;
    const char* text;
    const char* key;  // what the message must name
};

void PrintTo(const BadFile& b, std::ostream* os) {
    *os << b.name;
}

class AlignmentFileRefusal : public ::testing::TestWithParam<BadFile> {};

TEST_P(AlignmentFileRefusal, NamesThePathAndTheKey) {
    try {
        cli::ParseAlignmentJson(GetParam().text, "центровка.json");
        ADD_FAILURE() << "accepted";
    } catch (const cli::UsageError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("центровка.json"), std::string::npos) << what;
        EXPECT_NE(what.find(GetParam().key), std::string::npos) << what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, AlignmentFileRefusal,
    ::testing::Values(
        BadFile{"not_json", "{\"couplings\": [", "не является JSON"},
        BadFile{"no_number", R"({"couplings": [{"plane": 10}]})",
                "couplings[0]: нет ключа «number»"},
        BadFile{"number_text", R"({"couplings": [{"number": "1"}]})", "couplings[0].number"},
        BadFile{
            "brackets_without_diameter",
            R"({"couplings": [{"number": 1, "brackets": {"radial": [0,0,0,0], "axial": [0,0,0,0]}}]})",
            "couplings[0].brackets: замеры скобами требуют диаметра"},
        BadFile{
            "three_gaps",
            R"({"couplings": [{"number": 1, "diameter": 500, "brackets": {"radial": [0,0,0], "axial": [0,0,0,0]}}]})",
            "couplings[0].brackets.radial: нужны четыре"},
        BadFile{
            "gap_without_diameter",
            R"({"couplings": [{"number": 2, "found": {"vertical": {"offset": 0, "gap": 0.1}, "horizontal": {"offset": 0, "angle": 0}}}]})",
            "couplings[0].found.vertical.gap"},
        BadFile{
            "one_plane",
            R"({"couplings": [{"number": 2, "found": {"vertical": {"offset": 0, "angle": 0}}}]})",
            "couplings[0].found: нужны обе плоскости"},
        BadFile{"unknown_key", R"({"couplings": [], "fixd": [1]})", "неизвестный ключ «fixd»"},
        BadFile{"fixed_zero", R"({"fixed": [0]})", "fixed[0]"},
        BadFile{"bound_reversed", R"({"bounds": [{"support": 2, "move_min": 1, "move_max": 0}]})",
                "bounds[0]: «move_min» больше «move_max»"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AlignmentFile, ReadsEveryKey) {
    const AlignmentInputs in = cli::ParseAlignmentJson(
        R"({"couplings": [{"number": 1, "plane": 182.5, "diameter": 600,
              "tolerance": {"offset": 0.03, "gap": 0.04},
              "brackets": {"radial": [1, 2, 3, 4], "axial": [5, 6, 7, 8]}},
             {"number": 2, "tolerance": {"angle": 0.05},
              "found": {"vertical": {"offset": 0.1, "angle": 2e-4},
                        "horizontal": {"offset": -0.2, "angle": 0}}}],
            "fixed": [3, 4], "bounds": [{"support": 4, "move_max": 1.0}]})",
        "f.json");
    ASSERT_EQ(in.couplings.size(), 2u);
    EXPECT_EQ(in.couplings[0].plane, 182.5);
    EXPECT_EQ(in.couplings[0].gapTolerance, 0.04);
    EXPECT_EQ(in.couplings[0].brackets->axial[3], 8);
    EXPECT_EQ(in.couplings[1].gapTolerance, 0.05);
    EXPECT_EQ(in.couplings[1].foundVertical->angle, 2e-4);
    EXPECT_EQ(in.couplings[1].foundHorizontal->offset, -0.2);
    EXPECT_EQ(in.fixed, (std::vector<int>{2, 3}));
    ASSERT_EQ(in.bounds.size(), 1u);
    EXPECT_EQ(in.bounds[0].support, 3);
    EXPECT_EQ(in.bounds[0].moveMax, 1.0);
    EXPECT_TRUE(std::isinf(in.bounds[0].moveMin) && in.bounds[0].moveMin < 0);
}

std::string WriteFile(const std::string& name, const std::string& text) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path) << text;
    return path;
}

TEST(AlignmentCalc, FoundReadingsGiveMovesBackToTheTargets) {
    const std::string path = WriteFile(
        "alignment_ok.json",
        R"({"couplings": [{"number": 1, "diameter": 600, "tolerance": {"offset": 0.03, "gap": 0.03},
             "brackets": {"radial": [0.10, 0.20, 0.30, 0.20], "axial": [0.05, 0.03, 0.01, 0.03]}}]})");
    const CalcResult r =
        RunCalc({SHAFTLINE_SAMPLE_WORKBOOK, "--base", "3", "--alignment", path, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json a = Json::parse(r.out)["alignment"];
    const Json& c = a["couplings"][0];
    EXPECT_EQ(c["found"]["vertical"]["offset"].get<double>(), (0.30 - 0.10) / 2);
    EXPECT_EQ(c["in_tolerance"]["vertical"], false);
    EXPECT_EQ(c["in_tolerance_after"]["vertical"], true);
    EXPECT_EQ(c["closure_ok"], true);
    EXPECT_NEAR(c["after"]["vertical"]["offset"].get<double>(),
                c["targets"]["assembly"]["offset"].get<double>(), 1e-12);
    EXPECT_TRUE(a["couplings"][1]["found"].is_null());
    EXPECT_EQ(a["moves"]["fixed"], Json::array({3, 4}));
    EXPECT_EQ(a["moves"]["vertical"].size(), a["loads_as_found"].size());

    const CalcResult text =
        RunCalc({SHAFTLINE_SAMPLE_WORKBOOK, "--base", "3", "--alignment", path});
    EXPECT_NE(text.out.find("Монтажные расцентровки"), std::string::npos);
    EXPECT_NE(text.out.find("неподвижна"), std::string::npos);
}

TEST(AlignmentCalc, WithoutReadingsOnlyTargets) {
    const CalcResult r = RunCalc({SHAFTLINE_SAMPLE_WORKBOOK, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json a = Json::parse(r.out)["alignment"];
    EXPECT_TRUE(a["moves"].is_null());
    EXPECT_TRUE(a["loads_as_found"].is_null());
    EXPECT_TRUE(a["couplings"][0]["targets"]["assembly"]["gap"].is_null());
}

TEST(AlignmentCalc, RefusedFileExitsWithUsage) {
    const std::string path = WriteFile("alignment_bad.json", R"({"couplings": [{"number": 9}]})");
    const CalcResult r = RunCalc({SHAFTLINE_SAMPLE_WORKBOOK, "--alignment", path, "--json"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Муфта 9"), std::string::npos) << r.err;
}

}  // namespace

namespace {

// The sample book saved with the first coupling's readings in its spare cells.
std::string BookWithReadings(const std::string& name, const std::string& verticalOffset) {
    io::ShaftLineWorkbook book = io::ReadShaftLineWorkbook(SHAFTLINE_SAMPLE_WORKBOOK, ".");
    book.sheets[1].alignment = {
        {{"Муфта", "", "", "", "", "", ""}, {"Замеры", verticalOffset, "0.2", "0", "0", "", ""}}};
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    io::WriteShaftLineBook(path, book, ".");
    return path;
}

TEST(AlignmentCalc, ReadingsFromTheBookUnlessAFileIsGiven) {
    const std::string path = BookWithReadings("alignment_book.xlsx", "0.15");
    const Json found = Json::parse(RunCalc({path, "--json"}).out)["alignment"]["couplings"][0];
    EXPECT_EQ(found["found"]["vertical"]["offset"], 0.15);
    EXPECT_EQ(found["found"]["vertical"]["angle"], 0.2 / 1000);

    const std::string file = WriteFile("alignment_none.json", "{}");
    const Json ignored = Json::parse(RunCalc({path, "--alignment", file, "--json"}).out);
    EXPECT_TRUE(ignored["alignment"]["couplings"][0]["found"].is_null());
    std::filesystem::remove(path);
}

TEST(AlignmentCalc, BadBookCellIsRotorData) {
    const std::string path = BookWithReadings("alignment_bad_book.xlsx", "0,15");
    const CalcResult r = RunCalc({path, "--json"});
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.err.find("Лист 2, ячейка M2"), std::string::npos) << r.err;
    std::filesystem::remove(path);
}

}  // namespace
