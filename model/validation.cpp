#include <cmath>
#include <string>

#include "shaft_line.h"

namespace shaftline {

namespace {

std::string RotorPrefix(int rotor) {
    return "Ротор " + std::to_string(rotor);
}

std::string SectionPrefix(int rotor, int section) {
    return RotorPrefix(rotor) + ", участок " + std::to_string(section);
}

const std::string kLengthRange = "вне допустимого диапазона от 10⁻⁶ до 10⁶ мм";

bool Within(double value, double lo, double hi) {
    return value >= lo && value <= hi;
}

bool AllInputsFinite(const TRotorSection& s) {
    for (double v : {s.Coord, s.DiscDiameter, s.Diameter, s.DiscThickness, s.InnerDiameter, s.Young,
                     s.BladeMass, s.BladeCount}) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

void CheckSection(const SectionArray& s, int rotor, int i, std::vector<RotorProblem>& out) {
    auto add = [&](const std::string& what) {
        out.push_back({rotor, i, SectionPrefix(rotor, i) + ": " + what});
    };
    const TRotorSection& sec = s[i];
    if (!AllInputsFinite(sec)) {
        add("значение не является конечным числом");
        return;
    }
    if (sec.Diameter <= 0) {
        add("диаметр вала должен быть больше нуля");
    } else if (!Within(sec.Diameter, kMinLength, kMaxLength)) {
        add("диаметр вала " + kLengthRange);
    }
    if (sec.Young <= 0) {
        add("модуль Юнга должен быть больше нуля");
    } else if (!Within(sec.Young, kMinYoung, kMaxYoung)) {
        add("модуль Юнга вне допустимого диапазона от 1 до 10⁸ кгс/мм²");
    }
    if (sec.InnerDiameter < 0 || (sec.Diameter > 0 && sec.InnerDiameter >= sec.Diameter)) {
        add("внутренний диаметр должен быть не меньше нуля и меньше диаметра вала");
    }
    if (sec.Coord < s[i - 1].Coord) {
        add("координата меньше координаты предыдущего участка");
    } else if (sec.Coord > 0 && !Within(sec.Coord, kMinLength, kMaxLength)) {
        add("координата " + kLengthRange);
    }
    // Quantities without a lower limit of their own only need to stay clear of overflow.
    const struct {
        double value;
        double limit;
        const char* message;
    } magnitudes[] = {
        {sec.DiscDiameter, kMaxLength, "диаметр диска по модулю больше допустимых 10⁶ мм"},
        {sec.DiscThickness, kMaxLength, "толщина диска по модулю больше допустимых 10⁶ мм"},
        {sec.BladeMass, kMaxBladeMass, "масса лопатки по модулю больше допустимых 10⁶ кг"},
        {sec.BladeCount, kMaxBladeCount, "число лопаток по модулю больше допустимых 10⁶"},
    };
    for (const auto& m : magnitudes) {
        if (std::fabs(m.value) > m.limit) add(m.message);
    }
}

}  // namespace

std::vector<RotorProblem> ValidateRotor(const TRotor& rotor, int rotorNumber) {
    std::vector<RotorProblem> out;
    const int n = rotor.GetSectionCount();
    if (n < 1 || n > kMaxSections) {
        out.push_back({rotorNumber, 0,
                       RotorPrefix(rotorNumber) + ": число участков " + std::to_string(n) +
                           " вне допустимого диапазона 1..50"});
        return out;
    }
    const SectionArray& s = rotor.SectionsView();
    for (int i = 1; i <= n; ++i) CheckSection(s, rotorNumber, i, out);
    if (!out.empty()) return out;

    // The journal angles are the chords of the two end sections, so both need a length.
    if (s[1].Coord == s[0].Coord) {
        out.push_back({rotorNumber, 1,
                       SectionPrefix(rotorNumber, 1) + ": первый участок имеет нулевую длину"});
    }
    if (n >= 2 && s[n].Coord == s[n - 1].Coord) {
        out.push_back(
            {rotorNumber, n,
             SectionPrefix(rotorNumber, n) + ": координаты двух последних участков совпадают"});
    }
    if (s[n].Coord - s[0].Coord == 0) {
        out.push_back({rotorNumber, 0, RotorPrefix(rotorNumber) + ": длина ротора равна нулю"});
    }
    return out;
}

std::vector<RotorProblem> ValidateShaftLine(const RotorArray& rotors, int count) {
    std::vector<RotorProblem> out;
    if (count < 1 || count > kMaxRotors) {
        out.push_back(
            {0, 0,
             "Количество роторов " + std::to_string(count) + " вне допустимого диапазона 1..19"});
        return out;
    }
    for (int k = 1; k <= count; ++k) {
        if (!rotors[k]) {
            out.push_back({k, 0, RotorPrefix(k) + ": нет данных ротора"});
            continue;
        }
        auto problems = ValidateRotor(*rotors[k], k);
        out.insert(out.end(), problems.begin(), problems.end());
    }
    return out;
}

}  // namespace shaftline
