// The worked example of the manual quotes the calculator: every number it marks with the JSON
// value it shows must be that value, rounded to the digits written.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "calc_process.h"

namespace {

using Json = nlohmann::json;

// "−4 296,2" as the manual writes it for a Russian reader, to "-4296.2".
std::string PlainNumber(std::string text) {
    const auto replaceAll = [&text](const std::string& from, const std::string& to) {
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
            text.replace(at, from.size(), to);
    };
    replaceAll("\u2212", "-");
    for (const char* space : {" ", "\u00a0", "\u2009", "\u202f"}) replaceAll(space, "");
    replaceAll(",", ".");
    return text;
}

double Parsed(const std::string& plain) {
    double value = NAN;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    EXPECT_TRUE(error == std::errc() && end == plain.data() + plain.size()) << plain;
    return value;
}

int Decimals(const std::string& plain) {
    const std::size_t point = plain.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(plain.size() - point - 1);
}

// "rotors.2.sections.13.line_offset": object keys and array indices.
const Json& At(const Json& root, const std::string& path) {
    const Json* node = &root;
    std::stringstream parts(path);
    std::string part;
    while (std::getline(parts, part, '.')) {
        node = node->is_array() ? &node->at(std::stoul(part)) : &node->at(part);
    }
    return *node;
}

std::vector<std::string> Arguments(const std::string& line) {
    std::vector<std::string> args;
    std::stringstream words(line);
    for (std::string word; words >> word;) args.push_back(word);
    return args;
}

TEST(ManualExampleTest, QuotedNumbersAreTheCalculatorsOwn) {
    const std::string manual = ReadWhole(SHAFTLINE_MANUAL);
    std::smatch call;
    ASSERT_TRUE(std::regex_search(manual, call, std::regex("data-calc-args=\"([^\"]*)\"")));
    std::vector<std::string> args = Arguments(call[1]);
    args.insert(args.begin(), SHAFTLINE_SAMPLE_WORKBOOK);
    args.push_back("--json");
    const CalcResult run = RunCalc(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const Json results = Json::parse(run.out);

    const std::regex quoted("<span data-json=\"([^\"]+)\">([^<]+)</span>");
    int checked = 0;
    for (auto m = std::sregex_iterator(manual.begin(), manual.end(), quoted);
         m != std::sregex_iterator(); ++m) {
        const std::string path = (*m)[1];
        const std::string shown = PlainNumber((*m)[2]);
        SCOPED_TRACE(path + " = " + (*m)[2].str());
        const double value = At(results, path).get<double>();
        const double halfStep = 0.5 * std::pow(10.0, -Decimals(shown));
        EXPECT_LE(std::abs(Parsed(shown) - value), halfStep * (1 + 1e-9));
        ++checked;
    }
    EXPECT_GE(checked, 20);
}

}  // namespace
