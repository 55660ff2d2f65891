#include <gtest/gtest.h>

#include <QDateTime>
#include <filesystem>

#include "coupled_shaft_line.h"
#include "coupling_alignment.h"
#include "field_sheet.h"
#include "number_text.h"
#include "pdf_tools.h"
#include "report_document.h"
#include "rotor_builders.h"

namespace {

using namespace shaftline;
namespace fs = std::filesystem;

fs::path TempPdf(const std::string& name) {
    return fs::temp_directory_path() / ("report_test_" + name + ".pdf");
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Three rotors aligned to rotor 1, their section texts as a grid would show them, support
// values for rises of 1 and 0.5 mm, in the Russian number format.
struct ThreeRotorLine {
    RotorArray rotors = shaftline::testing::ShaftLine(3);
    std::shared_ptr<report::ReportInput> input = std::make_shared<report::ReportInput>();

    ThreeRotorLine() {
        EXPECT_TRUE(RunCalculation(rotors, 3).empty());
        rotors[1]->SetBaseRotor(true);
        AlignShaftLine(rotors, 3, 1);
        input->rotors = &rotors;
        input->count = 3;
        input->baseRotor = 1;
        input->bookFileName = "Блок 2.xls";
        input->created = QDateTime(QDate(2024, 3, 5), QTime(14, 7));
        input->decimalSeparator = ",";
        input->groupSeparator = " ";
        for (int k = 1; k <= 3; ++k) {
            const SectionArray& s = rotors[k]->SectionsView();
            auto& texts = input->inputs[k];
            texts.typeText = k % 2 == 1 ? "Цельнокованный" : "";
            for (int r = 1; r <= rotors[k]->GetSectionCount(); ++r)
                texts.sectionRows.push_back({FormatGeneral(s[r].Coord, ","), "0",
                                             FormatGeneral(s[r].Diameter, ","), "0", "0", "21000",
                                             "0", "0"});
            texts.supportTexts.fill("0");
            input->states[k] = ComputeSupportStates(*rotors[k], {1.0, 0.5});
        }
    }
};

TEST(ReportPdf, ShaftLineReportIsNumberedReadableAndEmbedsItsFonts) {
    ThreeRotorLine line;
    const fs::path pdf = TempPdf("line");
    ASSERT_EQ(report::WriteReportPdf(pdf, report::MakeShaftLineReport(line.input)), "");

    // Title page with both charts, one page per rotor, then the rotors coupled.
    const int pages = pdf_tools::PageCount(pdf);
    ASSERT_EQ(pages, 5);
    for (int page = 1; page <= pages; ++page) {
        const std::string text = pdf_tools::Text(pdf, page, page);
        EXPECT_NE(text.find("Страница " + std::to_string(page) + " из 5"), std::string::npos)
            << "page " << page;
    }
    const std::string coupled = pdf_tools::Text(pdf, 5, 5);
    const OrProblem<CoupledShaftLine> line3 = CalcCoupledShaftLine(line.rotors, 3);
    ASSERT_TRUE(line3.value) << line3.problem;
    for (const std::string& expected :
         {std::string("Роторы, жестко соединенные муфтами"),
          std::string("Ужесточение вала дисками"), std::string("Коэффициенты влияния"),
          FormatFixed(line3.value->State(SupportState::kLevel).loads[1], 1, ",", " ")})
        EXPECT_NE(coupled.find(expected), std::string::npos) << expected;
    const std::string text = pdf_tools::Text(pdf);
    for (const std::string& expected :
         {std::string("Расчет упругой линии валопровода"), std::string("05.03.2024 14:07"),
          std::string("Книга: Блок 2.xls"), std::string("Количество роторов: 3"),
          std::string("Базовый ротор: 1"), std::string("Тип ротора: Цельнокованный"),
          std::string("Ротор 3"), std::string("Выс. подшип. прав"),
          FormatNumber7(line.rotors[3]->GetLeftJournalAngle(), ",", " "),
          FormatNumber7(line.rotors[2]->GetCouplingBreak(), ",", " "), FormatNumber7(1.0, ",", " "),
          FormatGeneral(line.rotors[1]->SectionsView()[3].Deflection, ",")})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // The legends name the drawn rotors of both charts; the even rotor has no sketch.
    EXPECT_EQ(Occurrences(pdf_tools::Text(pdf, 1, 1), "Ротор 3"), 2);
    EXPECT_EQ(Occurrences(text, "Эскиз ротора"), 2);

    const auto [fonts, embedded] = pdf_tools::FontsEmbedded(pdf);
    EXPECT_GT(fonts, 0);
    EXPECT_EQ(embedded, fonts);
    EXPECT_TRUE(pdf_tools::Renders(pdf));
    fs::remove(pdf);
}

report::ShaftLineReport OneTableReport(int rows, bool keepTogether, double spaceBeforeMm) {
    report::ReportTable table;
    table.keepTogether = keepTogether;
    table.columns = {{"Номер строки"}, {"Значение", Qt::AlignLeft}};
    for (int r = 1; r <= rows; ++r)
        table.rows.push_back({{QString::number(r), QStringLiteral("строка %1;").arg(r)}});
    report::ShaftLineReport report;
    report.footer = "проверка";
    report.sections.push_back([table, spaceBeforeMm](report::ReportLayout& layout) {
        layout.Space(spaceBeforeMm);
        layout.Table(table);
    });
    return report;
}

TEST(ReportPdf, LongTableBreaksBetweenRowsWithItsHeaderOnEveryPage) {
    const fs::path pdf = TempPdf("long_table");
    ASSERT_EQ(report::WriteReportPdf(pdf, OneTableReport(150, false, 0)), "");
    const int pages = pdf_tools::PageCount(pdf);
    ASSERT_GE(pages, 2);
    for (int page = 1; page <= pages; ++page)
        EXPECT_EQ(Occurrences(pdf_tools::Text(pdf, page, page), "Номер строки"), 1)
            << "page " << page;
    const std::string text = pdf_tools::Text(pdf);
    for (int r = 1; r <= 150; ++r)
        EXPECT_EQ(Occurrences(text, "строка " + std::to_string(r) + ";"), 1) << "row " << r;
    fs::remove(pdf);
}

TEST(ReportPdf, TableKeptTogetherMovesWholeToTheNextPage) {
    const fs::path pdf = TempPdf("kept_table");
    ASSERT_EQ(report::WriteReportPdf(pdf, OneTableReport(12, true, 240)), "");
    ASSERT_EQ(pdf_tools::PageCount(pdf), 2);
    EXPECT_EQ(pdf_tools::Text(pdf, 1, 1).find("строка"), std::string::npos);
    const std::string second = pdf_tools::Text(pdf, 2, 2);
    EXPECT_NE(second.find("строка 1;"), std::string::npos);
    EXPECT_NE(second.find("строка 12;"), std::string::npos);
    fs::remove(pdf);
}

TEST(ReportPdf, UnwritablePathFailsAndLeavesNoFile) {
    const fs::path pdf = fs::temp_directory_path() / "no_such_folder_for_reports" / "r.pdf";
    const std::string refusal = report::WriteReportPdf(pdf, OneTableReport(3, false, 0));
    EXPECT_NE(refusal.find("не записан: папка не найдена."), std::string::npos) << refusal;
    EXPECT_FALSE(fs::exists(pdf));
}

}  // namespace

// A rotor whose tables run onto a second page names itself there again; the support data give
// their units.
TEST(ReportPdf, ContinuedRotorRepeatsItsHeadingAndSupportDataHaveUnits) {
    RotorArray rotors;
    rotors[1] = shaftline::testing::UniformShaft(50, 5000, 400);
    ASSERT_TRUE(RunCalculation(rotors, 1).empty());
    auto input = std::make_shared<report::ReportInput>();
    input->rotors = &rotors;
    input->count = 1;
    input->decimalSeparator = ",";
    input->groupSeparator = " ";
    auto& texts = input->inputs[1];
    for (int r = 1; r <= 50; ++r)
        texts.sectionRows.push_back(
            {std::to_string(100 * r), "0", "400", "0", "0", "21000", "0", "0"});
    texts.supportTexts.fill("0");
    input->states[1] = ComputeSupportStates(*rotors[1], {0.0, 0.0});
    const fs::path pdf = TempPdf("continued");
    ASSERT_EQ(report::WriteReportPdf(pdf, report::MakeShaftLineReport(input)), "");

    int firstPage = 0;
    const int pages = pdf_tools::PageCount(pdf);
    for (int page = 1; page <= pages && firstPage == 0; ++page)
        if (pdf_tools::Text(pdf, page, page).find("Тип ротора") != std::string::npos)
            firstPage = page;
    ASSERT_GT(firstPage, 0);
    ASSERT_LT(firstPage, pages);
    EXPECT_EQ(Occurrences(pdf_tools::Text(pdf, firstPage, firstPage), "(продолжение)"), 0);
    EXPECT_EQ(Occurrences(pdf_tools::Text(pdf, firstPage + 1, firstPage + 1),
                          "Ротор 1 (продолжение)"),
              1);
    const std::string text = pdf_tools::Text(pdf);
    for (const char* caption : {"Выс. фунд. лев., мм", "Темп. фунд. лев., °C",
                                "Темп. подшип. прав., °C", "Цапфа прав., мм"})
        EXPECT_NE(text.find(caption), std::string::npos) << caption;
    fs::remove(pdf);
}

// The coupling of the three-rotor line found 0.2 mm high and tilted, outside its tolerances;
// the default fixing holds rotor 1, so the moves of rotor 3 bring it back exactly.
static void AlignFoundOutOfTolerance(ThreeRotorLine& line) {
    const OrProblem<CoupledShaftLine> coupled = CalcCoupledShaftLine(line.rotors, 3);
    ASSERT_TRUE(coupled.value) << coupled.problem;
    CouplingInput coupling;
    coupling.number = 1;
    coupling.offsetTolerance = 0.05;
    coupling.gapTolerance = 0.05;  // mm/m without a diameter
    coupling.foundVertical = PlaneInput{0.2, std::nullopt, 1e-4};
    coupling.foundHorizontal = PlaneInput{-0.1, std::nullopt, 0.0};
    AlignmentInputs inputs;
    inputs.couplings = {coupling};
    line.input->alignment = CalcAlignment(line.rotors, 3, 1, *coupled.value, inputs).value;
    ASSERT_TRUE(line.input->alignment && line.input->alignment->moves);
}

TEST(ReportPdf, AlignmentInTheProtocolAndOnTheFieldSheet) {
    ThreeRotorLine line;
    AlignFoundOutOfTolerance(line);
    const fs::path protocol = TempPdf("aligned");
    ASSERT_EQ(report::WriteReportPdf(protocol, report::MakeShaftLineReport(line.input)), "");
    ASSERT_EQ(pdf_tools::PageCount(protocol), 6);
    const std::string section = pdf_tools::Text(protocol, 6, 6);
    for (const char* expected : {"Центровка муфт", "Монтажное состояние", "1 (роторы 1 и 3)",
                                 "0,20", "0,10 мм/м", "вне допуска", "в допуске", "неподвижна",
                                 "Нагрузки на опоры при муфтах, собранных как найдено"})
        EXPECT_NE(section.find(expected), std::string::npos) << expected;
    fs::remove(protocol);

    const fs::path sheet = TempPdf("field_sheet");
    ASSERT_EQ(report::WriteFieldSheetPdf(sheet, *line.input), "");
    EXPECT_EQ(pdf_tools::PageCount(sheet), 1);
    // A4 landscape: 297 × 210 mm in points.
    const std::string info = pdf_tools::Output("pdfinfo " + pdf_tools::Quoted(sheet));
    double width = 0, height = 0;
    const std::size_t size = info.find("Page size:");
    ASSERT_NE(size, std::string::npos) << info;
    std::sscanf(info.c_str() + size, "Page size: %lf x %lf", &width, &height);
    EXPECT_NEAR(width, 841.89, 0.5) << info;
    EXPECT_NEAR(height, 595.28, 0.5) << info;
    const std::string text = pdf_tools::Text(sheet);
    for (const char* expected : {"Формуляр центровки", "Блок 2.xls", "Базовый ротор: 1",
                                 "вне допуска", "в допуске", "поднять на", "опустить на"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    fs::remove(sheet);
}

TEST(ReportPdf, FieldSheetOfALineWithoutCouplingsIsRefusedAndNotCreated) {
    ThreeRotorLine line;
    const fs::path sheet = TempPdf("no_couplings");
    fs::remove(sheet);
    EXPECT_EQ(report::WriteFieldSheetPdf(sheet, *line.input),
              "Формуляр центровки «" + sheet.string() + "» не записан: в валопроводе нет муфт.");
    EXPECT_FALSE(fs::exists(sheet));
    // Nor does the protocol gain an empty section.
    const fs::path protocol = TempPdf("unaligned");
    ASSERT_EQ(report::WriteReportPdf(protocol, report::MakeShaftLineReport(line.input)), "");
    EXPECT_EQ(pdf_tools::PageCount(protocol), 5);
    fs::remove(protocol);
}
