// shaftline-calc --report: the PDF protocol beside the unchanged JSON and text output, written
// without any display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "../report/pdf_tools.h"
#include "calc_process.h"
#include "number_text.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

class CalcReport : public ::testing::Test {
  protected:
    void SetUp() override {
        // As on a server: no display to connect to and no platform chosen.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
    }
    void TearDown() override { fs::remove(pdf_); }

    const fs::path pdf_ =
        fs::temp_directory_path() / ("calc_report_" + std::to_string(getpid()) + ".pdf");
};

TEST_F(CalcReport, SampleBookReportBesideTheUnchangedOutput) {
    for (const std::vector<std::string>& output :
         {std::vector<std::string>{"--json"}, std::vector<std::string>{}}) {
        const CalcResult plain = RunCalc(output);
        std::vector<std::string> withReport = output;
        withReport.insert(withReport.end(), {"--report", pdf_.string()});
        const CalcResult reported = RunCalc(withReport);
        ASSERT_EQ(reported.status, 0) << reported.err;
        EXPECT_EQ(reported.out, plain.out);
        EXPECT_EQ(reported.err, "");
    }

    const Json json = Json::parse(RunCalc({"--json"}).out);
    const Json& rotor1 = json["rotors"][0];
    // The title page with both charts, a page for every one of the nine rotors, then the
    // rotors coupled: the three states' loads, and the influence table of ten supports; last
    // the couplings' alignment targets.
    EXPECT_EQ(pdf_tools::PageCount(pdf_), 13);
    const std::string text = pdf_tools::Text(pdf_);
    const std::string coupled = pdf_tools::Text(pdf_, 11, 12);
    const Json& assembly = json["coupled"]["states"]["assembly"];
    for (const std::string& expected :
         {std::string("Роторы, жестко соединенные муфтами"), std::string("Коэффициенты влияния"),
          shaftline::FormatFixed(assembly["loads"][3], 1, ".", " "),
          shaftline::FormatFixed(assembly["moments"][4], 0, ".", " ")})
        EXPECT_NE(coupled.find(expected), std::string::npos) << expected;
    const std::string alignment = pdf_tools::Text(pdf_, 13, 13);
    const Json& target = json["alignment"]["couplings"][3]["targets"]["assembly"];
    for (const std::string& expected :
         {std::string("Центровка муфт"), std::string("4 (роторы 7 и 9)"),
          shaftline::FormatFixed(target["offset"], 2, ".", ""),
          shaftline::FormatFixed(1000 * target["angle"].get<double>(), 2, ".", "")})
        EXPECT_NE(alignment.find(expected), std::string::npos) << expected;
    for (const std::string& expected :
         {std::string("Количество роторов: 9"), std::string("Книга: Data.xls"),
          std::string("Страница 13 из 13"),
          shaftline::FormatNumber7(rotor1["left_journal_angle"], ".", " "),
          shaftline::FormatNumber7(rotor1["right_support_rise"], ".", " "),
          shaftline::FormatGeneral(rotor1["sections"][3]["deflection"], ".")})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    const auto [fonts, embedded] = pdf_tools::FontsEmbedded(pdf_);
    EXPECT_GT(fonts, 0);
    EXPECT_EQ(embedded, fonts);
    EXPECT_TRUE(pdf_tools::Renders(pdf_));
}

TEST_F(CalcReport, FullLineAlignedToItsBaseRotor) {
    const CalcResult r = RunCalc({std::string(SHAFTLINE_IO_TEST_DATA) + "/full_line_19x50.xls",
                                  "--base", "3", "--report", pdf_.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const int pages = pdf_tools::PageCount(pdf_);
    EXPECT_GE(pages, 20);
    const std::string text = pdf_tools::Text(pdf_);
    EXPECT_NE(text.find("Базовый ротор: 3"), std::string::npos);
    EXPECT_NE(text.find("Ротор 19"), std::string::npos);
    EXPECT_NE(text.find("Смещение линии"), std::string::npos);
    EXPECT_NE(text.find("Страница " + std::to_string(pages) + " из " + std::to_string(pages)),
              std::string::npos);
}

TEST_F(CalcReport, ReportThatCannotBeWrittenFailsAfterTheOutput) {
    const CalcResult plain = RunCalc({});
    const CalcResult r = RunCalc({"--report", "/no/such/folder/r.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, plain.out);
    EXPECT_NE(r.err.find("Отчет «/no/such/folder/r.pdf» не записан: папка не найдена."),
              std::string::npos)
        << r.err;

    const CalcResult empty = RunCalc({"--report", ""});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("--report"), std::string::npos) << empty.err;
}

}  // namespace
