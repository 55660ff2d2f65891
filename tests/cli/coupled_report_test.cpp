// The coupled shaft line in the calculator's two reports, on the sample workbook aligned to a
// base rotor: the JSON object's shape and its ties to the rotor records, and the readable table.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "json_report.h"
#include "number_text.h"
#include "shaft_line_workbook.h"
#include "text_report.h"

namespace {

using namespace shaftline;
using Json = nlohmann::ordered_json;

cli::ShaftLineRun SampleRun() {
    cli::CalcOptions options;
    options.baseRotor = 3;
    return cli::RunShaftLine(io::ReadShaftLineWorkbook(SHAFTLINE_SAMPLE_WORKBOOK, "."), options);
}

std::vector<std::string> Keys(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items()) keys.push_back(item.key());
    return keys;
}

TEST(CoupledReport, JsonSupportsStatesAndInfluence) {
    const Json json = cli::JsonReport(SampleRun());
    const Json& rotors = json["rotors"];
    const Json& coupled = json["coupled"];
    const std::size_t n = rotors.size();
    ASSERT_GE(n, 3U);
    EXPECT_EQ(Keys(coupled), (std::vector<std::string>{"supports", "states", "influence", "lifts"}));

    const Json& supports = coupled["supports"];
    ASSERT_EQ(supports.size(), n + 1);
    double x = 0, weight = 0;
    for (std::size_t j = 0; j <= n; ++j) {
        const Json& s = supports[j];
        EXPECT_EQ(Keys(s), (std::vector<std::string>{"number", "x", "left_rotor", "right_rotor",
                                                     "own_load"}));
        EXPECT_EQ(s["number"], j + 1);
        double own = 0;
        if (j > 0) {
            EXPECT_EQ(s["left_rotor"], j);
            own += rotors[j - 1]["right_reaction"].get<double>();
            x += rotors[j - 1]["sections"].back()["coord"].get<double>();
        }
        EXPECT_EQ(s["x"].get<double>(), x);
        if (j < n) {
            EXPECT_EQ(s["right_rotor"], j + 1);
            own += rotors[j]["left_reaction"].get<double>();
            for (const Json& section : rotors[j]["sections"])
                weight += section["mass"].get<double>();
        }
        EXPECT_EQ(s["own_load"].get<double>(), own);
    }
    EXPECT_TRUE(supports[0]["left_rotor"].is_null());
    EXPECT_TRUE(supports[n]["right_rotor"].is_null());

    EXPECT_EQ(Keys(coupled["states"]), (std::vector<std::string>{"level", "nominal", "assembly"}));
    for (const auto& [name, state] : coupled["states"].items()) {
        EXPECT_EQ(Keys(state),
                  (std::vector<std::string>{"elevations", "loads", "moments", "axis"}));
        ASSERT_EQ(state["loads"].size(), n + 1) << name;
        ASSERT_EQ(state["axis"].size(), n) << name;
        double sum = 0;
        for (const Json& load : state["loads"]) sum += load.get<double>();
        EXPECT_NEAR(sum, weight, 1e-9 * weight) << name;
        EXPECT_EQ(state["moments"][0], 0.0);
        EXPECT_EQ(state["moments"][n], 0.0);
        for (std::size_t k = 0; k < n; ++k) {
            const Json& axis = state["axis"][k];
            ASSERT_EQ(axis.size(), rotors[k]["sections"].size()) << name << k;
            EXPECT_EQ(axis[0], state["elevations"][k]);
            EXPECT_EQ(axis.back(), state["elevations"][k + 1]);
        }
    }
    // Nominal: the alignment's offsets at the rotor ends; assembly: less the bearing rises.
    const Json& nominal = coupled["states"]["nominal"]["elevations"];
    const Json& assembly = coupled["states"]["assembly"]["elevations"];
    EXPECT_EQ(nominal[1], rotors[0]["sections"].back()["line_offset"]);
    EXPECT_EQ(nominal[n], rotors[n - 1]["sections"].back()["line_offset"]);
    EXPECT_DOUBLE_EQ(assembly[0].get<double>(),
                     nominal[0].get<double>() - rotors[0]["left_support_rise"].get<double>());
    EXPECT_DOUBLE_EQ(assembly[2].get<double>(),
                     nominal[2].get<double>() - rotors[2]["left_support_rise"].get<double>());

    const Json& influence = coupled["influence"];
    ASSERT_EQ(influence.size(), n + 1);
    for (const Json& row : influence) EXPECT_EQ(row.size(), n + 1);
    EXPECT_GT(influence[1][1].get<double>(), 0);
    EXPECT_NEAR(influence[1][2].get<double>(), influence[2][1].get<double>(),
                1e-9 * influence[1][1].get<double>());
}

TEST(CoupledReport, TextTableHasEverySupportsLoadsAndMoments) {
    const cli::ShaftLineRun run = SampleRun();
    const Json coupled = cli::JsonReport(run)["coupled"];
    const std::string text = cli::TextReport(run);
    const std::size_t table = text.find("Роторы, жестко соединенные муфтами");
    ASSERT_NE(table, std::string::npos);
    EXPECT_NE(text.find("ужесточение дисками не учитывается", table), std::string::npos);
    EXPECT_NE(text.find("  2 (роторы 1 и 2)", table), std::string::npos);
    for (const auto& [name, state] : coupled["states"].items()) {
        for (std::size_t j = 0; j < state["loads"].size(); ++j) {
            EXPECT_NE(text.find(FormatFixed(state["loads"][j], 1, ".", " "), table),
                      std::string::npos)
                << name << j;
            EXPECT_NE(text.find(FormatFixed(state["moments"][j], 0, ".", " "), table),
                      std::string::npos)
                << name << j;
        }
    }
}

}  // namespace
