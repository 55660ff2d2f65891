#include "text_report.h"

#include <optional>

#include "alignment_text.h"
#include "coupled_shaft_line.h"
#include "message_text.h"
#include "number_text.h"
#include "rotor_transfer.h"

namespace shaftline::cli {

namespace {

constexpr std::string_view kDecimal = ".";
constexpr std::string_view kThousands = " ";

std::string Grid(double value) {
    return FormatGeneral(value, kDecimal);
}

std::string Param(std::optional<double> value) {
    return value ? FormatNumber7(*value, kDecimal, kThousands) : std::string("не определено");
}

// Pads to a width in characters; the captions are Cyrillic, two bytes a letter in UTF-8.
std::string Pad(const std::string& text, std::size_t width) {
    const std::size_t characters = CharacterCount(text);
    return characters >= width ? text + " " : text + std::string(width - characters, ' ');
}

void Line(std::string& out, const char* caption, std::optional<double> value) {
    out += "  ";
    out += caption;
    out += " ";
    out += Param(value);
    out += "\n";
}

std::string SourceText(ChoiceSource source) {
    switch (source) {
        case ChoiceSource::Book:
            return "из книги";
        case ChoiceSource::Option:
            return "из параметров запуска";
        case ChoiceSource::Default:
            break;
    }
    return "по умолчанию";
}

void RotorReport(std::string& out, const TRotor& rotor, int number, const SupportStates& states,
                 ChoiceSource typeSource) {
    out += "Ротор " + std::to_string(number) + " — ";
    if (rotor.GetEvenPosition()) {
        out += "промежуточный, считается невесомым";
    } else {
        out += rotor.GetShrunkOnDiscs() ? kShrunkOnDiscsText : kSolidForgedText;
        out += " (тип " + SourceText(typeSource) + ")";
    }
    out += rotor.GetBaseRotor() ? ", базовый" : "";
    out += "; участков: " + std::to_string(rotor.GetSectionCount()) + "\n";

    out += "  " + Pad("Сечение", 9) + Pad(std::string(kSectionColumnNames[0]), 20) +
           Pad(std::string(kDeflectionColumnName), 24) + "Смещение линии\n";
    const SectionArray& s = rotor.SectionsView();
    for (int i = 0; i <= rotor.GetSectionCount(); ++i) {
        out += "  " + Pad(std::to_string(i), 9) + Pad(Grid(s[i].Coord), 20) +
               Pad(Grid(s[i].Deflection), 24) + Grid(s[i].LineOffset) + "\n";
    }

    Line(out, "Угол поворота шейки на левой опоре:", states.nominalLeftAngle);
    Line(out, "Угол поворота шейки на правой опоре:", states.nominalRightAngle);
    Line(out, "Излом в муфте перед ротором:", rotor.GetCouplingBreak());
    Line(out, "Высотное положение левой опоры(номинальный режим),мм:", states.nominalLeftElevation);
    Line(out,
         "Высотное положение правой опоры(номинальный режим),мм:", states.nominalRightElevation);
    Line(out, "Угол поворота шейки на левой опоре(монтажный):", states.assemblyLeftAngle);
    Line(out, "Угол поворота шейки на правой опоре(монтажный):", states.assemblyRightAngle);
    Line(out, "Монтажная поправка левой опоры,мм:", states.leftRise);
    Line(out, "Монтажная поправка правой опоры,мм:", states.rightRise);
    Line(out,
         "Высотное положение левой опоры(мотажное состояние),мм:", states.assemblyLeftElevation);
    Line(out,
         "Высотное положение правой опоры(мотажное состояние),мм:", states.assemblyRightElevation);
    Line(out, "Угол поворота шейки на левой опоре(опоры горизонтальны):", states.ownLeftAngle);
    Line(out, "Угол поворота шейки на правой опоре(опоры горизонтальны):", states.ownRightAngle);
}

constexpr std::size_t kLabelWidth = 20;
constexpr std::size_t kValueWidth = 28;

void EndLine(std::string& out) {
    while (!out.empty() && out.back() == ' ') out.pop_back();
    out += "\n";
}

// Per support one row of a label and the values of the columns, fixed to `decimals`.
void SupportTable(std::string& out, const CoupledLine& line, const std::string& title,
                  const std::vector<std::string>& columns,
                  const std::vector<const std::vector<double>*>& values, int decimals) {
    out += "  " + Pad(title, kLabelWidth);
    for (const std::string& column : columns) out += Pad(column, kValueWidth);
    EndLine(out);
    for (std::size_t j = 0; j < line.supports.size(); ++j) {
        out += "  " + Pad(SupportLabel(line.supports[j], static_cast<int>(j)), kLabelWidth);
        for (const std::vector<double>* column : values) {
            out += Pad(FormatFixed((*column)[j], decimals, kDecimal, kThousands), kValueWidth);
        }
        EndLine(out);
    }
}

// The rotors rigidly coupled: the loads and the bending moments of every support in the three
// support states, beside the loads with the couplings open.
void CoupledReport(std::string& out, const RotorArray& rotors, int count,
                   const std::vector<double>& lifts) {
    out +=
        "\nРоторы, жестко соединенные муфтами: нагрузки на опоры и изгибающие моменты "
        "(ужесточение дисками не учитывается)\n";
    const OrProblem<CoupledShaftLine> coupled = CalcCoupledShaftLine(rotors, count, lifts);
    if (!coupled.value) {
        out += "  не рассчитаны: " + coupled.problem + "\n";
        return;
    }
    const CoupledShaftLine& c = *coupled.value;
    std::string inForce;
    for (std::size_t j = 0; j < lifts.size() && j < c.line.supports.size(); ++j) {
        if (lifts[j] == 0) continue;
        inForce += (inForce.empty() ? "" : "; ") + std::string("опора ") + std::to_string(j + 1) +
                   " " + FormatFixed(lifts[j], kCoupledLengthDecimals, kDecimal, kThousands);
    }
    if (!inForce.empty()) out += "  С подъёмами опор в силе, мм: " + inForce + "\n";
    std::vector<double> ownLoads;
    for (const CoupledSupport& support : c.line.supports) ownLoads.push_back(support.ownLoad);
    std::vector<std::string> states;
    std::vector<const std::vector<double>*> loads = {&ownLoads}, moments;
    for (SupportState state : kSupportStates) {
        states.emplace_back(SupportStateName(state));
        loads.push_back(&c.State(state).loads);
        moments.push_back(&c.State(state).moments);
    }
    std::vector<std::string> loadColumns = {"Без связи роторов"};
    loadColumns.insert(loadColumns.end(), states.begin(), states.end());
    SupportTable(out, c.line, "Нагрузка, кгс", loadColumns, loads, 1);
    SupportTable(out, c.line, "Момент, кгс·мм", states, moments, 0);
}

}  // namespace

std::string TextReport(const ShaftLineRun& run) {
    std::string out = "Валопровод: роторов " + std::to_string(run.count) + "; ";
    out += run.baseRotor ? "базовый ротор " + std::to_string(*run.baseRotor) + " (" +
                               SourceText(run.baseSource) + ")"
                         : std::string("базовый ротор не выбран, выравнивания нет");
    out += "\nУглы в радианах, длины в миллиметрах.\n";
    for (int k = 1; k <= run.count; ++k) {
        out += "\n";
        RotorReport(out, *run.rotors[k], k, run.states[k], run.typeSources[k]);
    }
    CoupledReport(out, run.rotors, run.count, run.lifts);
    out += AlignmentText(RunAlignment(run));
    return out;
}

}  // namespace shaftline::cli
