#include "alignment_text.h"

#include <algorithm>

#include "alignment_texts.h"
#include "lift_cells.h"
#include "message_text.h"
#include "number_text.h"

namespace shaftline::cli {

namespace {

constexpr std::string_view kDecimal = ".";

std::string Cell(const std::string& text, std::size_t width) {
    const std::size_t characters = CharacterCount(text);
    return characters >= width ? text + " " : text + std::string(width - characters, ' ');
}

std::string Row(const std::vector<std::string>& cells, std::size_t width) {
    std::string row = "  ";
    for (const std::string& c : cells) row += Cell(c, width);
    while (!row.empty() && row.back() == ' ') row.pop_back();
    return row + "\n";
}

std::string Mm(double value) {
    return FormatFixed(value, kAlignmentDecimals, kDecimal, "");
}

// The three values of a reading: offset (mm), angle (mm/m), gap difference (mm or "—").
std::vector<std::string> Values(const CouplingReading& r) {
    return {Mm(r.offset), Mm(1000 * r.angle), r.gap ? Mm(*r.gap) : std::string("—")};
}

std::string CouplingName(const CouplingAlignment& c) {
    return std::to_string(c.geometry.number) + " (роторы " + std::to_string(c.leftRotor) + " и " +
           std::to_string(c.rightRotor) + ")";
}

std::string Verdicts(const std::optional<PlaneVerdicts>& v) {
    if (!v) return "—";
    return std::string(VerdictText(v->vertical)) + " / " + std::string(VerdictText(v->horizontal));
}

void Targets(std::string& out, const AlignmentResult& r) {
    out += "  Монтажные расцентровки и расцентровки в состояниях линии\n";
    out += Row({"Муфта", "Состояние", "Смещение", "Излом, мм/м", "Разность зазоров"}, 26);
    for (const CouplingAlignment& c : r.couplings) {
        for (SupportState s : kSupportStates) {
            std::vector<std::string> row = {CouplingName(c), std::string(SupportStateName(s))};
            for (std::string& v : Values(c.targets[static_cast<std::size_t>(s)])) row.push_back(v);
            out += Row(row, 26);
        }
    }
}

void Plane(std::string& out, const CouplingAlignment& c, const char* what,
           const PlaneReadings& readings, const std::optional<PlaneVerdicts>& verdicts) {
    std::vector<std::string> row = {CouplingName(c), what};
    for (std::string& v : Values(readings.vertical)) row.push_back(v);
    for (std::string& v : Values(readings.horizontal)) row.push_back(v);
    row.push_back(Verdicts(verdicts));
    out += Row(row, 18);
}

void Readings(std::string& out, const AlignmentResult& r) {
    out += "  Замеры (вертикаль: смещение, излом мм/м, разность зазоров; то же по горизонтали)\n";
    for (const CouplingAlignment& c : r.couplings) {
        if (!c.found) continue;
        Plane(out, c, "как найдено", *c.found, c.inTolerance);
        if (c.after) Plane(out, c, "после перемещений", *c.after, c.inToleranceAfter);
        if (c.closure && !c.closure->Consistent()) {
            out += "  " + CouplingName(c) + ": " + std::string(kClosureFailedText) +
                   " (радиальные " + Mm(c.closure->radial) + ", осевые " + Mm(c.closure->axial) +
                   " мм)\n";
        }
    }
}

void Moves(std::string& out, const CoupledLine& line, const AlignmentResult& r) {
    const BearingMoves& m = *r.moves;
    const LoadsAsFound& loads = *r.loadsAsFound;
    auto listed = [](const std::vector<int>& list, int j) {
        return std::find(list.begin(), list.end(), j) != list.end();
    };
    out += "  Перемещения опор и нагрузки при муфтах, собранных как найдено (кгс)\n";
    out += Row({"Опора", "По вертикали", "По горизонтали", "Проектная", "Как найдено"}, 24);
    for (std::size_t j = 0; j < line.supports.size(); ++j) {
        const int support = static_cast<int>(j);
        std::string vertical = MoveText(m.vertical[j], true, kDecimal);
        if (listed(m.fixed, support)) vertical = "неподвижна";
        if (listed(m.binding, support)) vertical += ", упор";
        std::string found = FormatFixed(loads.loads[j], kCoupledLoadDecimals, kDecimal, "");
        if (listed(loads.unloaded, support)) found += " разгружена";
        if (listed(loads.overloaded, support)) found += " перегружена";
        out += Row(
            {SupportLabel(line.supports[j], support), vertical,
             listed(m.fixed, support) ? "неподвижна" : MoveText(m.horizontal[j], false, kDecimal),
             FormatFixed(loads.design[j], kCoupledLoadDecimals, kDecimal, ""), found},
            24);
    }
}

}  // namespace

std::string AlignmentText(const AlignmentRun& alignment) {
    if (!alignment.result || alignment.result->couplings.empty()) return {};
    const AlignmentResult& r = *alignment.result;
    std::string out = "\nЦентровка муфт (смещения и разности зазоров в мм, изломы в мм/м)\n";
    if (const std::string lifts = io::LiftsInForceText(alignment.lifts, kDecimal); !lifts.empty())
        out += "  " + lifts + "; расцентровки всех состояний даны с ними\n";
    Targets(out, r);
    Readings(out, r);
    if (r.moves && r.loadsAsFound) Moves(out, alignment.coupled->line, r);
    return out;
}

}  // namespace shaftline::cli
