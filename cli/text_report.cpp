#include "text_report.h"

#include <optional>

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
    std::size_t characters = 0;
    for (unsigned char c : text) characters += (c & 0xC0) != 0x80 ? 1 : 0;
    return characters >= width ? text + " " : text + std::string(width - characters, ' ');
}

void Line(std::string& out, const char* caption, std::optional<double> value) {
    out += "  ";
    out += caption;
    out += " ";
    out += Param(value);
    out += "\n";
}

void RotorReport(std::string& out, const TRotor& rotor, int number, const SupportStates& states) {
    out += "Ротор " + std::to_string(number) + " — ";
    if (rotor.GetEvenPosition()) {
        out += "промежуточный, считается невесомым";
    } else {
        out += rotor.GetShrunkOnDiscs() ? kShrunkOnDiscsText : kSolidForgedText;
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

}  // namespace

std::string TextReport(const ShaftLineRun& run) {
    std::string out = "Валопровод: роторов " + std::to_string(run.count) + "; ";
    out += run.baseRotor ? "базовый ротор " + std::to_string(*run.baseRotor)
                         : std::string("базовый ротор не выбран, выравнивания нет");
    out += "\nУглы в радианах, длины в миллиметрах.\n";
    for (int k = 1; k <= run.count; ++k) {
        out += "\n";
        RotorReport(out, *run.rotors[k], k, run.states[k]);
    }
    return out;
}

}  // namespace shaftline::cli
