// shaftline-calc --field-sheet: the one-page alignment sheet for the crew, read back as a
// viewer shows it, beside the unchanged output.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>

#include "../report/pdf_tools.h"
#include "alignment_texts.h"
#include "calc_process.h"
#include "number_text.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

class FieldSheet : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ofstream(readings_) << R"({"couplings": [{"number": 1, "diameter": 600,
            "tolerance": {"offset": 0.03, "gap": 0.03},
            "brackets": {"radial": [0.10, 0.20, 0.30, 0.20], "axial": [0.05, 0.03, 0.01, 0.07]}}]})";
    }
    void TearDown() override {
        fs::remove(pdf_);
        fs::remove(readings_);
    }
    std::vector<std::string> Args(std::vector<std::string> more) const {
        std::vector<std::string> args = {SHAFTLINE_SAMPLE_WORKBOOK, "--base", "3", "--alignment",
                                         readings_.string()};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    const std::string id_ = std::to_string(getpid());
    const fs::path pdf_ = fs::temp_directory_path() / ("field_sheet_" + id_ + ".pdf");
    const fs::path readings_ = fs::temp_directory_path() / ("field_sheet_" + id_ + ".json");
};

// Without blanks: pdftotext lays the columns out with its own spacing.
std::string Squeezed(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
    return text;
}

TEST_F(FieldSheet, OnePageWithTargetsReadingsVerdictsAndMoves) {
    const CalcResult plain = RunCalc(Args({"--json"}));
    const CalcResult r = RunCalc(Args({"--json", "--field-sheet", pdf_.string()}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, plain.out);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(pdf_tools::PageCount(pdf_), 1);

    const Json a = Json::parse(r.out)["alignment"];
    const Json& c1 = a["couplings"][0];
    const std::string text = Squeezed(pdf_tools::Text(pdf_));
    const auto fixed = [](double v) { return shaftline::FormatFixed(v, 2, ".", ""); };
    std::vector<std::string> expected = {
        "Формулярцентровки", "Базовыйротор:3", "замерынесходятся",
        // coupling 1 as found: offset (0.30 − 0.10) / 2, vertical gap 0.05 − 0.01
        "0.10", "0.04мм", fixed(c1["targets"]["assembly"]["offset"]),
        fixed(c1["found"]["vertical"]["offset"].get<double>() -
              c1["targets"]["assembly"]["offset"].get<double>()),
        "внедопуска", "вдопуске", "неподвижна"};
    for (std::size_t j = 0; j < a["moves"]["vertical"].size(); ++j) {
        const double v = a["moves"]["vertical"][j];
        if (std::abs(v) >= 0.005) expected.push_back(Squeezed(shaftline::MoveText(v, true, ".")));
    }
    for (const std::string& e : expected) EXPECT_NE(text.find(e), std::string::npos) << e;
    const auto [fonts, embedded] = pdf_tools::FontsEmbedded(pdf_);
    EXPECT_EQ(embedded, fonts);
}

TEST_F(FieldSheet, FullLineStaysOnOnePage) {
    const CalcResult r = RunCalc({std::string(SHAFTLINE_IO_TEST_DATA) + "/full_line_19x50.xls",
                                  "--base", "3", "--field-sheet", pdf_.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(pdf_tools::PageCount(pdf_), 1);
    const std::string text = Squeezed(pdf_tools::Text(pdf_));
    EXPECT_NE(text.find("9(роторы17и19)"), std::string::npos) << text;
    EXPECT_NE(text.find("Замеровнет"), std::string::npos);
}

}  // namespace
