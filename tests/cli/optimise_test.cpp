// --optimise: the task file's keys read or refused by name, and the chosen lifts in the JSON
// of the sample workbook, tied to the coupled line's own loads and influence coefficients.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "calc_process.h"
#include "number_text.h"
#include "optimise_task.h"

namespace {

using namespace shaftline;
using Json = nlohmann::json;

struct Refusal {
    const char* name;
    const char* text;
    const char* says;  // a part of the message: the key at fault
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.name;
}

class OptimiseTaskRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(OptimiseTaskRefusal, NamesTheKey) {
    try {
        cli::ParseOptimiseTask(GetParam().text, 4);
        FAIL() << "accepted";
    } catch (const cli::UsageError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().says), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, OptimiseTaskRefusal,
    ::testing::Values(Refusal{"not_json", "{\"band\": 20", "не является текстом JSON"},
                      Refusal{"not_an_object", "[1, 2]", "ожидается объект"},
                      Refusal{"unknown_key", "{\"bend\": 20}", "«bend»: неизвестный ключ"},
                      Refusal{"target_word", "{\"target\": \"mine\"}", "«target»"},
                      Refusal{"target_count", "{\"target\": [1, 2, 3]}", "«target»: ожидается нагрузка"},
                      Refusal{"target_zero", "{\"target\": [1000, 0, 1000, 1000]}", "«target[1]»: число должно быть больше нуля"},
                      Refusal{"state_unknown", "{\"states\": [\"nominal\", \"hot\"]}", "«states[1]»"},
                      Refusal{"states_empty", "{\"states\": []}", "«states»"},
                      Refusal{"band_negative", "{\"band\": -5}", "«band»"},
                      Refusal{"band_text", "{\"band\": \"20\"}", "«band»: ожидается число"},
                      Refusal{"band_huge", "{\"band\": 1e999}", "число вне допустимого диапазона"},
                      Refusal{"fixed_zero", "{\"fixed\": [0, 2]}", "«fixed[0]»: опоры 0 нет"},
                      Refusal{"fixed_fraction", "{\"fixed\": [1, 2.5]}", "«fixed[1]»: ожидается номер опоры"},
                      Refusal{"bounds_crossed", "{\"bounds\": {\"min\": 2, \"max\": -2}}", "«bounds.min»"},
                      Refusal{"bounds_pairs", "{\"bounds\": [[-1, 1], [-1, 1]]}", "«bounds»"},
                      Refusal{"bounds_pair", "{\"bounds\": [[-1, 1], [-1], [0, 0], [0, 1]]}", "«bounds[1]»"},
                      Refusal{"journal_missing", "{\"journals\": [{\"support\": 1, \"length\": 200}]}",
                              "«journals[0].diameter»: не указан"},
                      Refusal{"journal_twice",
                              "{\"journals\": [{\"support\": 2, \"diameter\": 300, \"length\": 200}, "
                              "{\"support\": 2, \"diameter\": 300, \"length\": 200}]}",
                              "«journals[1].support»"},
                      Refusal{"journal_pressure", "{\"journals\": [{\"support\": 2, \"diameter\": 300, \"length\": 200, \"pressure_max\": 0}]}",
                              "«journals[0].pressure_max»"},
                      Refusal{"deep", "{\"bounds\": [[[[[[1]]]]]]}", "вложенность"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OptimiseTask, ReadsEveryKey) {
    const SupportLiftTask task = cli::ParseOptimiseTask(
        R"({"target": [1000, 2000, 3000, 4000], "states": ["assembly"], "band": 20, "min_load": 500,
            "fixed": [3, 4], "bounds": [[-1, 1], [null, 2], [-3, null], [0, 0]],
            "journals": [{"support": 1, "diameter": 300, "length": 250, "pressure_max": 25}]})",
        4);
    EXPECT_EQ(task.targets, (std::vector<double>{1000, 2000, 3000, 4000}));
    EXPECT_EQ(task.states, (std::vector<SupportState>{SupportState::kAssembly}));
    EXPECT_EQ(task.bandPercent, 20);
    EXPECT_EQ(task.minLoad, 500);
    EXPECT_EQ(task.fixed, (std::vector<int>{2, 3}));
    ASSERT_EQ(task.ranges.size(), 4u);
    EXPECT_EQ(task.ranges[1].min, -std::numeric_limits<double>::infinity());
    EXPECT_EQ(task.ranges[2].max, std::numeric_limits<double>::infinity());
    EXPECT_EQ(task.ranges[2].min, -3);
    ASSERT_EQ(task.journals.size(), 1u);
    EXPECT_EQ(task.journals[0].support, 0);
    EXPECT_EQ(task.journals[0].pressureMax, 25);
    const SupportLiftTask own = cli::ParseOptimiseTask(R"({"target": "own", "bounds": {"min": -2}})", 4);
    EXPECT_TRUE(own.targets.empty());
    EXPECT_FALSE(own.fixed);
    EXPECT_EQ(own.ranges.size(), 4u);
    EXPECT_EQ(own.ranges[3].min, -2);
}

std::string TaskFile(const std::string& name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / (name + std::to_string(getpid()) + ".json");
    std::ofstream(path) << text;
    return path.string();
}

struct SampleCase {
    const char* name;
    const char* task;
};

void PrintTo(const SampleCase& c, std::ostream* os) {
    *os << c.name;
}

class OptimiseSample : public ::testing::TestWithParam<SampleCase> {};

// The optimisation object of the sample line, aligned to rotor 3: rotor 3's supports held, the
// states after the lifts equal to the coupled loads plus the influence of the lifts, the
// pressure only where a journal is given, every listed limit really broken.
TEST_P(OptimiseSample, JsonTiesToTheCoupledLine) {
    const std::string path = TaskFile(GetParam().name, GetParam().task);
    const CalcResult r = RunCalc({SHAFTLINE_SAMPLE_WORKBOOK, "--base", "3", "--json", "--optimise", path});
    std::filesystem::remove(path);
    ASSERT_EQ(r.status, 0) << r.err;
    const Json json = Json::parse(r.out);
    const Json& coupled = json["coupled"];
    const Json& o = json["optimisation"];
    const std::size_t supports = coupled["supports"].size();
    EXPECT_EQ(coupled["lifts"], Json(std::vector<double>(supports, 0.0)));
    std::vector<std::string> keys;
    for (const auto& item : o.items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"feasible", "lifts", "objective", "states", "targets", "violated"}));
    const std::vector<double> lifts = o["lifts"].get<std::vector<double>>();
    ASSERT_EQ(lifts.size(), supports);
    EXPECT_EQ(lifts[2], 0);
    EXPECT_EQ(lifts[3], 0);
    const auto influence = coupled["influence"].get<std::vector<std::vector<double>>>();
    for (const char* state : {"nominal", "assembly"}) {
        const Json& after = o["states"][state];
        const auto before = coupled["states"][state]["loads"].get<std::vector<double>>();
        double scale = 0;
        for (double load : before) scale = std::max(scale, std::abs(load));
        for (std::size_t i = 0; i < supports; ++i) {
            double expected = before[i];
            for (std::size_t j = 0; j < supports; ++j) expected += influence[i][j] * lifts[j];
            EXPECT_NEAR(after["loads"][i].get<double>(), expected, 1e-9 * scale) << state << i;
            EXPECT_EQ(after["pressures"][i].is_null(), i != 0) << state << i;
        }
        EXPECT_EQ(after["moments"].size(), supports);
        EXPECT_NEAR(after["pressures"][0].get<double>(), 100 * after["loads"][0].get<double>() / (300 * 250), 1e-9);
    }
    EXPECT_LE(o["objective"]["after"].get<double>(), o["objective"]["before"].get<double>());
    EXPECT_EQ(o["feasible"].get<bool>(), o["violated"].empty());
    for (const Json& v : o["violated"]) {
        const double load = v["load"], limit = v["limit"];
        const std::string bound = v["bound"];
        EXPECT_TRUE(bound == "band_min" || bound == "min_load" ? load < limit : load > limit) << v.dump();
        const int support = v["support"];
        EXPECT_DOUBLE_EQ(load, o["states"][v["state"].get<std::string>()]["loads"][support - 1].get<double>());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tasks, OptimiseSample,
    ::testing::Values(
        SampleCase{"plain", R"({"journals": [{"support": 1, "diameter": 300, "length": 250}]})"},
        SampleCase{"limits", R"({"target": "own", "states": ["nominal", "assembly"], "band": 20, "min_load": 500,
                   "bounds": {"min": -2, "max": 2},
                   "journals": [{"support": 1, "diameter": 300, "length": 250, "pressure_max": 25}]})"}),
    [](const auto& info) { return std::string(info.param.name); });

// The readable output gives per counted state the loads and moments before and after, the
// pressure where a journal is given, the same numbers as the JSON.
TEST(OptimiseSample, TextGivesEveryStateBeforeAndAfter) {
    const std::string path = TaskFile("text", R"({"journals": [{"support": 1, "diameter": 300, "length": 250}]})");
    const CalcResult text = RunCalc({SHAFTLINE_SAMPLE_WORKBOOK, "--base", "3", "--optimise", path});
    const CalcResult json = RunCalc({SHAFTLINE_SAMPLE_WORKBOOK, "--base", "3", "--json", "--optimise", path});
    std::filesystem::remove(path);
    ASSERT_EQ(text.status, 0) << text.err;
    ASSERT_EQ(json.status, 0) << json.err;
    const Json o = Json::parse(json.out)["optimisation"];
    const std::string& out = text.out;
    EXPECT_NE(out.find("  Все ограничения выполнены.\n"), std::string::npos);
    std::size_t at = out.find("Подбор высот опор");
    for (const char* state : {"nominal", "assembly"}) {
        at = out.find("\n  1 ", out.find("Давление после, кгс/см²", at));
        ASSERT_NE(at, std::string::npos) << state;
        const std::string row = out.substr(at + 1, out.find('\n', at + 1) - at - 1);
        const Json& after = o["states"][state];
        for (const std::string& number :
             {FormatFixed(after["loads"][0].get<double>(), 1, ".", " "),
              FormatFixed(after["pressures"][0].get<double>(), 2, ".", "")})
            EXPECT_NE(row.find(number), std::string::npos) << state << ": " << row << " lacks " << number;
    }
}

TEST(OptimiseSample, RefusalsNameTheFile) {
    const std::string path = TaskFile("bad_band", R"({"band": 0})");
    const CalcResult bad = RunCalc({SHAFTLINE_SAMPLE_WORKBOOK, "--optimise", path});
    std::filesystem::remove(path);
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("--optimise «" + path + "»: ключ «band»"), std::string::npos) << bad.err;
    EXPECT_TRUE(bad.out.empty());
    const CalcResult missing = RunCalc({SHAFTLINE_SAMPLE_WORKBOOK, "--optimise", path});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("«" + path + "»: файл не открывается"), std::string::npos) << missing.err;
    const CalcResult folder = RunCalc({SHAFTLINE_SAMPLE_WORKBOOK, "--optimise", "/"});
    EXPECT_EQ(folder.status, 2) << folder.err;
}

}  // namespace
