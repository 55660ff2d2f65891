#include "alignment_sheet.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "alignment_texts.h"
#include "coupled_shaft_line.h"

namespace shaftline::io {

namespace {

constexpr double kCaptionHeight = 45;  // points: three lines of a wrapped caption
constexpr double kColumnWidth = 15;    // characters

void Number(XlsxSheet& sheet, int row, int column, std::optional<double> value) {
    if (value && std::isfinite(*value)) sheet.WriteNumber(row, column, *value);
}

void Captions(XlsxSheet& sheet, int row, const std::vector<std::string>& captions,
              XlsxFormat header) {
    for (std::size_t c = 0; c < captions.size(); ++c)
        sheet.WriteText(row, static_cast<int>(c), captions[c], header);
    sheet.SetRowHeight(row, kCaptionHeight);
}

// Offset (mm), angle (rad) and gap difference (mm, empty without a diameter) from `column`.
void Reading(XlsxSheet& sheet, int row, int column, const CouplingReading& r) {
    Number(sheet, row, column, r.offset);
    Number(sheet, row, column + 1, r.angle);
    Number(sheet, row, column + 2, r.gap);
}

bool Listed(const std::vector<int>& list, int j) {
    return std::find(list.begin(), list.end(), j) != list.end();
}

int WriteTargets(XlsxSheet& sheet, int row, const AlignmentResult& a, XlsxFormat header) {
    std::vector<std::string> captions = {"Муфта", "Левый ротор", "Правый ротор",
                                         "Плоскость муфты, мм", "Диаметр замера, мм"};
    for (SupportState s : kSupportStates) {
        const std::string state(SupportStateName(s));
        captions.insert(captions.end(), {state + ": смещение, мм", state + ": излом, рад",
                                         state + ": разность зазоров, мм"});
    }
    Captions(sheet, row++, captions, header);
    for (const CouplingAlignment& c : a.couplings) {
        sheet.WriteNumber(row, 0, c.geometry.number);
        sheet.WriteNumber(row, 1, c.leftRotor);
        sheet.WriteNumber(row, 2, c.rightRotor);
        Number(sheet, row, 3, c.geometry.plane);
        Number(sheet, row, 4, c.geometry.diameter);
        for (std::size_t s = 0; s < c.targets.size(); ++s)
            Reading(sheet, row, 5 + 3 * static_cast<int>(s), c.targets[s]);
        ++row;
    }
    return row;
}

void Verdict(XlsxSheet& sheet, int row, int column, const std::optional<PlaneVerdicts>& v,
             bool vertical) {
    if (v) sheet.WriteText(row, column, VerdictText(vertical ? v->vertical : v->horizontal));
}

int WriteReadings(XlsxSheet& sheet, int row, const AlignmentResult& a, XlsxFormat header) {
    Captions(sheet, row++,
             {"Муфта", "Плоскость", "Замер: смещение, мм", "Замер: излом, рад",
              "Замер: разность зазоров, мм", "Допуск смещения, мм",
              "Допуск раскрытия, мм (без диаметра мм/м)", "Оценка", "После: смещение, мм",
              "После: излом, рад", "После: разность зазоров, мм", "Оценка после",
              "Замыкание радиальных, мм", "Замыкание осевых, мм"},
             header);
    for (const CouplingAlignment& c : a.couplings) {
        if (!c.found) continue;
        for (bool vertical : {true, false}) {
            sheet.WriteNumber(row, 0, c.geometry.number);
            sheet.WriteText(row, 1, vertical ? "вертикальная" : "горизонтальная");
            Reading(sheet, row, 2, vertical ? c.found->vertical : c.found->horizontal);
            Number(sheet, row, 5, c.tolerance.offset);
            Number(sheet, row, 6, c.tolerance.angular);
            Verdict(sheet, row, 7, c.inTolerance, vertical);
            if (c.after) Reading(sheet, row, 8, vertical ? c.after->vertical : c.after->horizontal);
            Verdict(sheet, row, 11, c.inToleranceAfter, vertical);
            if (c.closure && vertical) {
                Number(sheet, row, 12, c.closure->radial);
                Number(sheet, row, 13, c.closure->axial);
                if (!c.closure->Consistent()) sheet.WriteText(row, 14, kClosureFailedText);
            }
            ++row;
        }
    }
    return row;
}

void WriteMoves(XlsxSheet& sheet, int row, const AlignmentResult& a, const CoupledLine& line,
                XlsxFormat header) {
    Captions(sheet, row++,
             {"Опора", "Левый ротор", "Правый ротор", "Неподвижна", "Перемещение вверх, мм",
              "Перемещение вправо, мм", "Упор", "Проектная нагрузка, кгс",
              "Нагрузка как найдено, кгс", "Опора как найдено"},
             header);
    const BearingMoves& m = *a.moves;
    for (std::size_t j = 0; j < line.supports.size() && j < m.vertical.size(); ++j, ++row) {
        const int support = static_cast<int>(j);
        sheet.WriteNumber(row, 0, static_cast<double>(j + 1));
        if (line.supports[j].leftRotor > 0) sheet.WriteNumber(row, 1, line.supports[j].leftRotor);
        if (line.supports[j].rightRotor > 0) sheet.WriteNumber(row, 2, line.supports[j].rightRotor);
        if (Listed(m.fixed, support)) sheet.WriteText(row, 3, "да");
        Number(sheet, row, 4, m.vertical[j]);
        Number(sheet, row, 5, m.horizontal[j]);
        if (Listed(m.binding, support)) sheet.WriteText(row, 6, "да");
        if (!a.loadsAsFound || j >= a.loadsAsFound->loads.size()) continue;
        const LoadsAsFound& l = *a.loadsAsFound;
        Number(sheet, row, 7, l.design[j]);
        Number(sheet, row, 8, l.loads[j]);
        if (Listed(l.unloaded, support)) sheet.WriteText(row, 9, "разгружена");
        if (Listed(l.overloaded, support)) sheet.WriteText(row, 9, "перегружена");
    }
}

}  // namespace

void WriteAlignmentSheet(XlsxSheet& sheet, const CalculationResults& results, XlsxFormat header,
                         XlsxFormat bold) {
    const AlignmentResult& a = *results.alignment;
    int row = 0;
    sheet.WriteText(row++, 0,
                    "Центровка муфт: смещение положительно, когда правая полумуфта "
                    "выше (правее, смотря от ротора 1); излом — когда муфта раскрыта "
                    "вверху (справа); цели — расцентровки монтажного состояния",
                    bold);
    if (const std::string lifts = LiftsInForceText(results); !lifts.empty())
        sheet.WriteText(row++, 0, lifts + "; расцентровки всех состояний даны с ними");
    row = WriteTargets(sheet, row + 1, a, header);
    sheet.SetColumnWidth(0, 14, kColumnWidth);
    if (!a.moves) return;
    sheet.WriteText(++row, 0, "Замеры как найдено и после перемещений опор", bold);
    row = WriteReadings(sheet, row + 1, a, header);
    const OrProblem<CoupledShaftLine> coupled =
        CalcCoupledShaftLine(*results.rotors, results.count, results.lifts);
    if (!coupled.value) return;
    sheet.WriteText(++row, 0, "Перемещения опор и нагрузки при муфтах, собранных как найдено",
                    bold);
    WriteMoves(sheet, row + 1, a, coupled.value->line, header);
}

}  // namespace shaftline::io
