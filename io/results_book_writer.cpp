#include "results_book_writer.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>

#include "alignment_sheet.h"
#include "chart_points.h"
#include "coupled_shaft_line.h"
#include "message_text.h"
#include "rotor_transfer.h"
#include "typed_cell.h"
#include "xlsx_writer.h"

namespace shaftline::io {

namespace {

using Value = std::optional<double>;

constexpr double kLineHeight = 15;  // points: one line of the default font
constexpr double kValueWidth = 16;  // characters: a full-precision number with room to spare
constexpr double kFirstWidth = 22;  // characters: the captions of the first column
constexpr double kTypeWidth = 24;   // characters: a rotor-type text

struct Styles {
    XlsxFormat header;  // wrapped captions of a table
    XlsxFormat bold;    // titles, and the labels of rows
};

// A number, or an empty cell for a value that is undefined or not finite.
void WriteValue(XlsxSheet& sheet, int row, int column, Value value) {
    if (value && std::isfinite(*value)) sheet.WriteNumber(row, column, *value);
}

// A row of wrapped captions from `firstColumn` on, high enough for the longest of them in a
// column `width` characters wide: spreadsheet programs do not fit the row on opening.
void WriteHeader(XlsxSheet& sheet, int row, int firstColumn,
                 const std::vector<std::string>& captions, double width, const Styles& styles) {
    std::size_t longest = 1;
    for (std::size_t c = 0; c < captions.size(); ++c) {
        sheet.WriteText(row, firstColumn + static_cast<int>(c), captions[c], styles.header);
        longest = std::max(longest, CharacterCount(captions[c]));
    }
    // Bold letters are wider than the column's characters, and words wrap whole.
    const double lines = std::ceil(static_cast<double>(longest) / (0.8 * width));
    sheet.SetRowHeight(row, std::max(1.0, lines) * kLineHeight);
}

std::string InState(SupportState state, std::string_view what) {
    return std::string(SupportStateName(state)) + ": " + std::string(what);
}

// ---- the summary: one row per rotor

// What the summary shows of one rotor. Without support data only the values that need no
// rises stand.
struct RotorRow {
    const TRotor& rotor;
    int number = 0;
    bool supportsKnown = false;
    SupportStates states;
};

struct RotorColumn {
    std::string caption;
    std::function<Value(const RotorRow&)> value;
};

std::vector<RotorColumn> RotorColumns() {
    using S = SupportState;
    const auto withRises = [](const RotorRow& r, Value v) { return r.supportsKnown ? v : Value(); };
    // Without a tilt the assembly state is not defined as a whole, its elevations neither.
    const auto withTilt = [](const RotorRow& r, double v) {
        return r.supportsKnown ? AssemblyElevation(r.states, v) : Value();
    };
    return {
        {"Реакция левой опоры, кгс",
         [](const RotorRow& r) { return Value(r.rotor.GetLeftReaction()); }},
        {"Реакция правой опоры, кгс",
         [](const RotorRow& r) { return Value(r.rotor.GetRightReaction()); }},
        {"Излом в муфте перед ротором, рад",
         [](const RotorRow& r) {
             return r.number > 1 ? Value(r.rotor.GetCouplingBreak()) : Value();
         }},
        {InState(S::kNominal, "угол поворота шейки на левой опоре, рад"),
         [](const RotorRow& r) { return Value(r.states.nominalLeftAngle); }},
        {InState(S::kNominal, "угол поворота шейки на правой опоре, рад"),
         [](const RotorRow& r) { return Value(r.states.nominalRightAngle); }},
        {InState(S::kNominal, "высотное положение левой опоры, мм"),
         [](const RotorRow& r) { return Value(r.states.nominalLeftElevation); }},
        {InState(S::kNominal, "высотное положение правой опоры, мм"),
         [](const RotorRow& r) { return Value(r.states.nominalRightElevation); }},
        {"Подъем левой опоры (монтажная поправка), мм",
         [=](const RotorRow& r) { return withRises(r, r.states.leftRise); }},
        {"Подъем правой опоры (монтажная поправка), мм",
         [=](const RotorRow& r) { return withRises(r, r.states.rightRise); }},
        {InState(S::kAssembly, "наклон ротора, рад"),
         [=](const RotorRow& r) { return withRises(r, r.states.assemblyTilt); }},
        {InState(S::kAssembly, "угол поворота шейки на левой опоре, рад"),
         [=](const RotorRow& r) { return withRises(r, r.states.assemblyLeftAngle); }},
        {InState(S::kAssembly, "угол поворота шейки на правой опоре, рад"),
         [=](const RotorRow& r) { return withRises(r, r.states.assemblyRightAngle); }},
        {InState(S::kAssembly, "высотное положение левой опоры, мм"),
         [=](const RotorRow& r) { return withTilt(r, r.states.assemblyLeftElevation); }},
        {InState(S::kAssembly, "высотное положение правой опоры, мм"),
         [=](const RotorRow& r) { return withTilt(r, r.states.assemblyRightElevation); }},
        {InState(S::kLevel, "угол поворота шейки на левой опоре, рад"),
         [](const RotorRow& r) { return Value(r.states.ownLeftAngle); }},
        {InState(S::kLevel, "угол поворота шейки на правой опоре, рад"),
         [](const RotorRow& r) { return Value(r.states.ownRightAngle); }},
    };
}

int WriteRotorTable(XlsxSheet& sheet, int row, const CalculationResults& results,
                    const Styles& styles) {
    const std::vector<RotorColumn> columns = RotorColumns();
    std::vector<std::string> captions = {"Ротор", "Тип ротора"};
    for (const RotorColumn& column : columns) captions.push_back(column.caption);
    WriteHeader(sheet, row++, 0, captions, kValueWidth, styles);
    for (int k = 1; k <= results.count; ++k) {
        const TRotor* rotor = (*results.rotors)[static_cast<std::size_t>(k)].get();
        if (rotor == nullptr) continue;
        const RotorRow values{*rotor, k, HasSupportData(results, k),
                              ShownSupportStates(results, k)};
        sheet.WriteNumber(row, 0, k);
        sheet.WriteText(row, 1, RotorKindText(results, k));
        for (std::size_t c = 0; c < columns.size(); ++c)
            WriteValue(sheet, row, static_cast<int>(c) + 2, columns[c].value(values));
        ++row;
    }
    return row;
}

// ---- the summary: the rotors rigidly coupled

int WriteCoupledTable(XlsxSheet& sheet, int row, const CoupledShaftLine& coupled,
                      const Styles& styles) {
    std::vector<std::string> captions = {"Опора", "Ротор слева", "Ротор справа", "Координата, мм",
                                         "Нагрузка без связи роторов, кгс"};
    for (SupportState state : kSupportStates) {
        captions.push_back(InState(state, "высотное положение опоры, мм"));
        captions.push_back(InState(state, "нагрузка, кгс"));
        captions.push_back(InState(state, "изменение нагрузки, кгс"));
        captions.push_back(InState(state, "изгибающий момент, кгс·мм"));
    }
    WriteHeader(sheet, row++, 0, captions, kValueWidth, styles);
    std::vector<std::vector<double>> shifts;
    for (SupportState state : kSupportStates)
        shifts.push_back(CouplingShift(coupled.line, coupled.State(state)));
    const std::vector<CoupledSupport>& supports = coupled.line.supports;
    for (std::size_t j = 0; j < supports.size(); ++j, ++row) {
        const CoupledSupport& support = supports[j];
        sheet.WriteNumber(row, 0, static_cast<double>(j + 1));
        if (support.leftRotor > 0) sheet.WriteNumber(row, 1, support.leftRotor);
        if (support.rightRotor > 0) sheet.WriteNumber(row, 2, support.rightRotor);
        WriteValue(sheet, row, 3, support.x);
        WriteValue(sheet, row, 4, support.ownLoad);
        int column = 5;
        for (std::size_t state = 0; state < kSupportStates.size(); ++state) {
            const CoupledState& s = coupled.State(kSupportStates[state]);
            WriteValue(sheet, row, column++, s.elevations[j]);
            WriteValue(sheet, row, column++, s.loads[j]);
            WriteValue(sheet, row, column++, shifts[state][j]);
            WriteValue(sheet, row, column++, s.moments[j]);
        }
    }
    return row;
}

int WriteInfluenceTable(XlsxSheet& sheet, int row, const CoupledShaftLine& coupled,
                        const Styles& styles) {
    const std::vector<std::vector<double>>& a = coupled.influence;
    sheet.WriteText(row, 0, "Опора", styles.header);
    for (std::size_t j = 0; j < a.size(); ++j)
        sheet.WriteNumber(row, static_cast<int>(j) + 1, static_cast<double>(j + 1), styles.header);
    ++row;
    for (std::size_t i = 0; i < a.size(); ++i, ++row) {
        sheet.WriteNumber(row, 0, static_cast<double>(i + 1), styles.bold);
        for (std::size_t j = 0; j < a[i].size(); ++j)
            WriteValue(sheet, row, static_cast<int>(j) + 1, a[i][j]);
    }
    return row;
}

void WriteCoupled(XlsxSheet& sheet, int row, const CalculationResults& results,
                  const Styles& styles) {
    const OrProblem<CoupledShaftLine> coupled =
        CalcCoupledShaftLine(*results.rotors, results.count, results.lifts);
    sheet.WriteText(row++, 0,
                    "Роторы, жестко соединенные муфтами: нагрузки на опоры и изгибающие моменты "
                    "(ужесточение вала дисками не учитывается)",
                    styles.bold);
    if (const std::string lifts = LiftsInForceText(results); !lifts.empty())
        sheet.WriteText(row++, 0, lifts);
    if (!coupled.value) {
        sheet.WriteText(row, 0, "Не рассчитаны: " + coupled.problem);
        return;
    }
    row = WriteCoupledTable(sheet, row, *coupled.value, styles) + 1;
    sheet.WriteText(row++, 0,
                    "Коэффициенты влияния, кгс/мм: изменение нагрузки опоры (строка) при подъеме "
                    "одной опоры (столбец) на 1 мм",
                    styles.bold);
    WriteInfluenceTable(sheet, row, *coupled.value, styles);
}

void WriteSummary(XlsxSheet& sheet, const CalculationResults& results, const Styles& styles) {
    int row = 0;
    sheet.WriteText(row++, 0, "Результаты расчета упругой линии валопровода", styles.bold);
    if (!results.bookFileName.empty()) sheet.WriteText(row++, 0, "Книга: " + results.bookFileName);
    sheet.WriteText(row++, 0, BaseRotorText(results));
    row = WriteRotorTable(sheet, row + 1, results, styles);
    WriteCoupled(sheet, row + 1, results, styles);
    sheet.SetColumnWidth(0, 0, 9);
    sheet.SetColumnWidth(1, 1, kTypeWidth);
    sheet.SetColumnWidth(2, 30, kValueWidth);
}

// ---- one sheet per rotor

constexpr std::array<double TRotorSection::*, 8> kInputFields = {
    &TRotorSection::Coord,         &TRotorSection::DiscDiameter,  &TRotorSection::Diameter,
    &TRotorSection::DiscThickness, &TRotorSection::InnerDiameter, &TRotorSection::Young,
    &TRotorSection::BladeMass,     &TRotorSection::BladeCount};
constexpr std::array<std::string_view, 8> kInputUnits = {", мм", ", мм",      ", мм", ", мм",
                                                         ", мм", ", кгс/мм²", ", кг", ""};
// Per support: heights and terms mm, temperatures °C.
constexpr std::array<std::string_view, 9> kSupportUnits = {", мм", ", °C", ", мм", ", °C", ", мм",
                                                           ", °C", ", мм", ", мм", ", мм"};

// The points of rotor `number` in a chart; empty when the chart does not draw it.
std::vector<std::pair<double, double>> RotorPoints(const std::vector<SeriesPoints>& chart,
                                                   int number) {
    for (const SeriesPoints& series : chart)
        if (series.rotor == number) return series.points;
    return {};
}

Value Point(const std::vector<std::pair<double, double>>& points, int j, bool x) {
    if (static_cast<std::size_t>(j) >= points.size()) return std::nullopt;
    return x ? points[static_cast<std::size_t>(j)].first
             : points[static_cast<std::size_t>(j)].second;
}

struct ChartsOfLine {
    std::vector<SeriesPoints> nominal;
    std::vector<SeriesPoints> assembly;
};

int WriteSections(XlsxSheet& sheet, int row, const TRotor& rotor, int number,
                  const ChartsOfLine& charts, const Styles& styles) {
    std::vector<std::string> captions = {"Сечение"};
    for (std::size_t c = 0; c < kInputFields.size(); ++c)
        captions.push_back(std::string(kSectionColumnNames[c]) + std::string(kInputUnits[c]));
    for (const char* caption :
         {"Вес участка, кгс", "Прогиб в сечениях, мм", "Поправка на ужесточение дисками, мм",
          "Смещение линии, мм", "Координата на графиках, мм"})
        captions.emplace_back(caption);
    captions.push_back(InState(SupportState::kNominal, "упругая линия, мм"));
    captions.push_back(InState(SupportState::kAssembly, "упругая линия, мм"));
    WriteHeader(sheet, row++, 0, captions, kValueWidth, styles);

    const auto nominal = RotorPoints(charts.nominal, number);
    const auto assembly = RotorPoints(charts.assembly, number);
    const SectionArray& sections = rotor.SectionsView();
    for (int i = 0; i <= rotor.GetSectionCount(); ++i, ++row) {
        const TRotorSection& s = sections[static_cast<std::size_t>(i)];
        int column = 0;
        sheet.WriteNumber(row, column++, i);
        // Section 0 is the left support point: a coordinate, no piece of shaft.
        for (double TRotorSection::*field : kInputFields) {
            if (i > 0 || field == &TRotorSection::Coord) WriteValue(sheet, row, column, s.*field);
            ++column;
        }
        WriteValue(sheet, row, column++, i > 0 ? Value(s.Mass) : Value());
        WriteValue(sheet, row, column++, s.Deflection);
        WriteValue(sheet, row, column++, s.DiscCorrection);
        WriteValue(sheet, row, column++, s.LineOffset);
        WriteValue(sheet, row, column++, Point(nominal, i, true));
        WriteValue(sheet, row, column++, Point(nominal, i, false));
        WriteValue(sheet, row, column++, Point(assembly, i, false));
    }
    return row;
}

// The support values as typed.
void WriteSupport(XlsxSheet& sheet, int row, const RotorInputTexts& texts,
                  const std::string& separator, const Styles& styles) {
    std::vector<std::string> captions;
    for (std::size_t c = 0; c < kSupportColumnNames.size(); ++c)
        captions.push_back(std::string(kSupportColumnNames[c]) +
                           std::string(kSupportUnits[c % kSupportUnits.size()]));
    WriteHeader(sheet, row++, 0, captions, kValueWidth, styles);
    for (std::size_t c = 0; c < texts.supportTexts.size(); ++c)
        WriteTypedText(sheet, row, static_cast<int>(c), texts.supportTexts[c], separator);
}

void WriteRotorSheet(XlsxSheet& sheet, const CalculationResults& results, int number,
                     const ChartsOfLine& charts, const Styles& styles) {
    const TRotor& rotor = *(*results.rotors)[static_cast<std::size_t>(number)];
    sheet.WriteText(0, 0, "Тип ротора", styles.bold);
    sheet.WriteText(0, 1, RotorKindText(results, number));
    sheet.WriteText(1, 0, "Количество участков", styles.bold);
    sheet.WriteNumber(1, 1, rotor.GetSectionCount());
    constexpr int kSectionHeaderRow = 3;
    const int end = WriteSections(sheet, kSectionHeaderRow, rotor, number, charts, styles);
    WriteSupport(sheet, end + 1, results.inputs[static_cast<std::size_t>(number)],
                 results.decimalSeparator, styles);
    sheet.SetColumnWidth(0, 0, kFirstWidth);
    sheet.SetColumnWidth(1, 17, kValueWidth);
    sheet.FreezeTopRows(kSectionHeaderRow + 1);
}

}  // namespace

void WriteResultsBook(const std::string& path, const CalculationResults& results) {
    XlsxBook book(path);
    if (results.rotors == nullptr || results.count < 1 || results.count > kMaxRotors ||
        !MissingRotors(*results.rotors, results.count).empty())
        book.Refuse("нет результатов расчета");
    const Styles styles{
        book.AddFormat({.bold = true, .wrap = true, .alignLeft = false, .numberFormat = {}}),
        book.AddFormat({.bold = true, .wrap = false, .alignLeft = true, .numberFormat = {}}),
    };
    XlsxSheet summary = book.AddSheet("Сводка");
    WriteSummary(summary, results, styles);
    const ChartsOfLine charts{NominalChartPoints(*results.rotors, results.count),
                              AssemblyChartPoints(*results.rotors, results.count)};
    for (int k = 1; k <= results.count; ++k) {
        XlsxSheet sheet = book.AddSheet("Ротор " + std::to_string(k));
        WriteRotorSheet(sheet, results, k, charts, styles);
    }
    if (results.alignment && !results.alignment->couplings.empty()) {
        XlsxSheet sheet = book.AddSheet("Центровка");
        WriteAlignmentSheet(sheet, results, styles.header, styles.bold);
    }
    book.Close();
}

}  // namespace shaftline::io
