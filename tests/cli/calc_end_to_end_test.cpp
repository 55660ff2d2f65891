#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "calc_process.h"
#include "number_text.h"
#include "shaft_line_book_writer.h"
#include "shaft_line_workbook.h"

namespace {

using Json = nlohmann::ordered_json;

const std::string kData = SHAFTLINE_IO_TEST_DATA;

std::vector<std::string> Keys(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items()) keys.push_back(item.key());
    return keys;
}

Json RunJson(const std::vector<std::string>& args) {
    const CalcResult r = RunCalc(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return Json::parse(r.out);
}

TEST(CalcEndToEndTest, JsonFollowsTheContractOnTheSample) {
    // No workbook named: Data.xls beside the executable, whatever the working folder.
    const CalcResult r = RunCalc({"--json"}, std::filesystem::temp_directory_path().string());
    ASSERT_EQ(r.status, 0) << r.err;
    const Json json = Json::parse(r.out);

    EXPECT_EQ(Keys(json), (std::vector<std::string>{"base_rotor", "rotors", "charts", "coupled"}));
    EXPECT_TRUE(json["base_rotor"].is_null());
    const Json& rotors = json["rotors"];
    ASSERT_GE(rotors.size(), 5U);
    EXPECT_EQ(Keys(rotors[0]), (std::vector<std::string>{"number",
                                                         "even_position",
                                                         "shrunk_on_discs",
                                                         "section_count",
                                                         "left_reaction",
                                                         "right_reaction",
                                                         "max_diameter",
                                                         "ref_inertia",
                                                         "left_journal_angle",
                                                         "right_journal_angle",
                                                         "coupling_break",
                                                         "own_left_angle",
                                                         "own_right_angle",
                                                         "left_support_rise",
                                                         "right_support_rise",
                                                         "assembly_tilt",
                                                         "assembly_left_angle",
                                                         "assembly_right_angle",
                                                         "assembly_left_elevation",
                                                         "assembly_right_elevation",
                                                         "sections"}));
    EXPECT_EQ(Keys(rotors[0]["sections"][0]),
              (std::vector<std::string>{"coord", "mass", "inertia", "stiffness_ratio",
                                        "reduced_moment", "shear", "moment", "disc_correction",
                                        "deflection", "line_offset"}));

    for (std::size_t k = 0; k < rotors.size(); ++k) {
        const Json& rotor = rotors[k];
        const bool even = (k + 1) % 2 == 0;
        EXPECT_EQ(rotor["number"], k + 1);
        EXPECT_EQ(rotor["even_position"], even);
        EXPECT_EQ(rotor["shrunk_on_discs"], true);
        EXPECT_EQ(rotor["sections"].size(), rotor["section_count"].get<std::size_t>() + 1);
        // Without a base rotor nothing is aligned, yet the rises are computed for every rotor.
        EXPECT_NE(rotor["left_support_rise"], 0.0);
        EXPECT_EQ(rotor["own_left_angle"], 0.0);
        if (!even) {
            EXPECT_LT(rotor["left_journal_angle"].get<double>(), 0.0) << "sagging rotor";
        }
    }

    // Charts: the odd rotors only, one series each, N + 1 points laid end to end.
    for (const char* chart : {"nominal", "assembly"}) {
        const Json& series = json["charts"][chart];
        ASSERT_EQ(series.size(), (rotors.size() + 1) / 2);
        double start = 0;
        for (std::size_t i = 0; i < series.size(); ++i) {
            EXPECT_EQ(series[i]["rotor"], 2 * i + 1);
            EXPECT_EQ(series[i]["series"], 2 * i);
            const Json& points = series[i]["points"];
            EXPECT_EQ(points.size(), rotors[2 * i]["sections"].size());
            EXPECT_GE(points[0][0].get<double>(), start);
            start = points.back()[0].get<double>();
        }
    }
}

TEST(CalcEndToEndTest, BaseRotorAndSolidRotorsReachTheResults) {
    const Json json =
        RunJson({SHAFTLINE_SAMPLE_WORKBOOK, "--json", "--base", "3", "--solid", "1,3"});
    EXPECT_EQ(json["base_rotor"], 3);
    const Json& rotors = json["rotors"];
    auto offset = [&](std::size_t rotor, std::size_t section) {
        const Json& sections = rotors[rotor - 1]["sections"];
        return sections[std::min(section, sections.size() - 1)]["line_offset"].get<double>();
    };
    constexpr std::size_t kLast = 99;
    for (std::size_t k = 1; k <= rotors.size(); ++k) {
        EXPECT_EQ(rotors[k - 1]["shrunk_on_discs"], k != 1 && k != 3) << k;
    }
    // The base rotor keeps its place; its neighbours hang on to it, every rotor further out
    // starts where its neighbour towards the base ends, and all of them leave the base line.
    EXPECT_EQ(offset(3, 0), 0.0);
    EXPECT_EQ(offset(3, kLast), 0.0);
    EXPECT_EQ(offset(2, kLast), 0.0);
    EXPECT_EQ(offset(4, 0), 0.0);
    EXPECT_EQ(offset(1, kLast), offset(2, 0));
    for (std::size_t k = 5; k <= rotors.size(); ++k) EXPECT_EQ(offset(k, 0), offset(k - 1, kLast));
    for (std::size_t k : {1U, 2U, 4U, 5U}) EXPECT_NE(offset(k, 1), 0.0) << k;
}

// A book saved by the windows carries rotor types and the base rotor: the calculator takes them
// unless its options say otherwise, and the readable output says which.
TEST(CalcEndToEndTest, TypesAndBaseRotorOfASavedBookHoldUnlessOptionsOverride) {
    shaftline::io::ShaftLineWorkbook book =
        shaftline::io::ReadShaftLineWorkbook(SHAFTLINE_SAMPLE_WORKBOOK, ".");
    book.sheets[0].rotorType = "Цельнокованный";
    book.sheets[2].rotorType = "С насадными дисками";
    book.baseRotor = 3;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("calc_saved_" + std::to_string(getpid()) + ".xlsx");
    shaftline::io::WriteShaftLineBook(path.string(), book, ".");

    const Json fromBook = RunJson({path.string(), "--json"});
    EXPECT_EQ(fromBook["base_rotor"], 3);
    for (std::size_t k = 1; k <= fromBook["rotors"].size(); ++k)
        EXPECT_EQ(fromBook["rotors"][k - 1]["shrunk_on_discs"], k != 1) << k;

    const Json overridden = RunJson({path.string(), "--json", "--solid", "3", "--base", "1"});
    EXPECT_EQ(overridden["base_rotor"], 1);
    for (std::size_t k = 1; k <= overridden["rotors"].size(); ++k)
        EXPECT_EQ(overridden["rotors"][k - 1]["shrunk_on_discs"], k != 3) << k;

    const CalcResult text = RunCalc({path.string()});
    EXPECT_NE(text.out.find("базовый ротор 3 (из книги)"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Ротор 1 — Цельнокованный (тип из книги)"), std::string::npos);
    EXPECT_NE(text.out.find("Ротор 5 — С насадными дисками (тип по умолчанию)"), std::string::npos);
    std::filesystem::remove(path);
}

TEST(CalcEndToEndTest, TextReportShowsTheSameNumbersInTheProgramsFormats) {
    const Json json = RunJson({"--json", "--base", "5"});
    const CalcResult text = RunCalc({"--base", "5"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("базовый ротор 5"), std::string::npos);
    for (const Json& rotor : json["rotors"]) {
        const std::string number = std::to_string(rotor["number"].get<int>());
        EXPECT_NE(text.out.find("Ротор " + number + " —"), std::string::npos) << number;
        const Json& middle = rotor["sections"][rotor["section_count"].get<int>() / 2];
        EXPECT_NE(text.out.find(shaftline::FormatGeneral(middle["deflection"], ".")),
                  std::string::npos);
        EXPECT_NE(text.out.find(shaftline::FormatNumber7(rotor["left_support_rise"], ".", " ")),
                  std::string::npos);
    }
}

struct ExitCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::vector<std::string> fragments;
};

void PrintTo(const ExitCase& c, std::ostream* os) {
    *os << c.name;
}

class CalcExitTest : public ::testing::TestWithParam<ExitCase> {};

TEST_P(CalcExitTest, StatusAndMessageSayWhatAndWhere) {
    const CalcResult r = RunCalc(GetParam().args);
    EXPECT_EQ(r.status, GetParam().status) << r.err;
    EXPECT_TRUE(r.out.empty()) << "a refused run prints no results";
    for (const std::string& f : GetParam().fragments) {
        EXPECT_NE(r.err.find(f), std::string::npos) << r.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcExitTest,
    ::testing::Values(
        ExitCase{"UnknownOption", {"--bogus"}, 2, {"--bogus"}},
        ExitCase{"TwoWorkbooks", {"a.xls", "b.xls"}, 2, {"b.xls"}},
        ExitCase{"BaseNotANumber", {"--base", "x"}, 2, {"--base", "«x»"}},
        ExitCase{"BaseBeyondTheLine", {"--base", "10"}, 2, {"--base 10", "9 роторов"}},
        ExitCase{"BaseZero", {"--base", "0"}, 2, {"--base 0"}},
        ExitCase{"SolidNotANumber", {"--solid", "1,x"}, 2, {"«x»"}},
        ExitCase{"SolidEvenPosition", {"--solid", "1,2"}, 2, {"ротор 2", "чётной"}},
        ExitCase{"SolidBeyondTheLine", {"--solid", "11"}, 2, {"ротора 11 нет"}},
        ExitCase{"MissingWorkbook", {kData + "/missing.xls"}, 3, {"missing.xls", "не найден"}},
        ExitCase{"BadSectionCount", {kData + "/a1_text.xls"}, 3, {"лист 2", "A1"}},
        ExitCase{"NotAWorkbook", {kData + "/not_a_workbook.xls"}, 3, {"не является книгой"}},
        ExitCase{"TextInASection",
                 {kData + "/three_sheets.xls"},
                 4,
                 {"'текст'", "ротор 1, строка 2, столбец «Диаметр диска»", "лист 1, ячейка B3"}},
        ExitCase{"BadSupportCell",
                 {kData + "/bad_support.xls", "--json"},
                 4,
                 {"'горячо'", "ротор 2", "«Темп. рамы прав.»", "лист 2, ячейка M"}},
        ExitCase{"RefusedByValidation",
                 {kData + "/zero_diameter.xls"},
                 4,
                 {"Ротор 1, участок 2", "диаметр"}},
        ExitCase{"EmptyWorkbookPath", {""}, 2, {"путь к книге пуст"}},
        ExitCase{"UnknownOptionInRussian", {"--bogus"}, 2, {"неизвестный параметр «--bogus»"}},
        ExitCase{"SecondWorkbookInRussian", {"a.xls", "b.xls"}, 2, {"лишний аргумент «b.xls»"}},
        ExitCase{"OptionWithoutValue", {"--base"}, 2, {"--base: не указано значение"}},
        ExitCase{"RepeatedOption",
                 {"--base", "1", "--base", "2"},
                 2,
                 {"--base указан больше одного раза"}},
        ExitCase{"FlagWithValue", {"--json=x"}, 2, {"--json не принимает значения"}},
        ExitCase{"HugeSupportTerms",
                 {kData + "/huge_support_terms.xls", "--json"},
                 4,
                 {"Ротор 1, левая опора: подъём опоры не является конечным числом"}},
        ExitCase{"HugeSupportHeights",
                 {kData + "/huge_support_heights.xls", "--base", "1"},
                 4,
                 {"Ротор 2, правая опора: подъём опоры"}},
        ExitCase{"RisesFarApart",
                 {kData + "/rises_far_apart.xls", "--json"},
                 4,
                 {"Ротор 2, левая и правая опоры", "монтажном состоянии"}},
        ExitCase{"DiameterBeyondDoublePrecision",
                 {kData + "/huge_diameter.xls"},
                 4,
                 {"Ротор 1, участок 2: диаметр вала вне допустимого диапазона"}},
        ExitCase{"DenormalCoordinates",
                 {kData + "/denormal_coords.xls", "--json"},
                 4,
                 {"Ротор 1, участок 1: координата вне допустимого диапазона"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalcEndToEndTest, FailedWriteIsReported) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--json"}, std::vector<std::string>{}, {"--help"}}) {
        const CalcResult r = RunCalc(args, "", "/dev/full");
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("не удалось записать результаты"), std::string::npos) << r.err;
    }
}

TEST(CalcEndToEndTest, HelpIsNoError) {
    const CalcResult r = RunCalc({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--base"), std::string::npos);
}

}  // namespace
