#include "shaft_line.h"

#include <cmath>

namespace shaftline {

namespace {

// Every intermediate of the solver feeds the deflections or the journal angles, and a NaN or an
// infinity carries through to them: checking these is checking all.
bool AllResultsFinite(const TRotor& rotor) {
    const SectionArray& s = rotor.SectionsView();
    for (int i = 0; i <= rotor.GetSectionCount(); ++i) {
        if (!std::isfinite(s[i].Deflection)) return false;
    }
    return std::isfinite(rotor.GetLeftJournalAngle()) &&
           std::isfinite(rotor.GetRightJournalAngle()) && std::isfinite(rotor.GetLeftReaction()) &&
           std::isfinite(rotor.GetRightReaction());
}

std::string UndefinedAngleMessage(int rotor) {
    return "Ротор " + std::to_string(rotor) +
           ": угол поворота шейки не определён: прогиб концевого участка больше его длины "
           "(проверьте диаметры, диски и массы лопаток)";
}

// A fresh record holding only what the transfer gave the rotor.
TRotor InputsOf(const TRotor& rotor) {
    TRotor fresh;
    fresh.SetSectionCount(rotor.GetSectionCount());
    fresh.SetShrunkOnDiscs(rotor.GetShrunkOnDiscs());
    const SectionArray& s = rotor.SectionsView();
    for (int i = 1; i <= rotor.GetSectionCount(); ++i) {
        fresh.SetCoord(i, s[i].Coord);
        fresh.SetDiscDiameter(i, s[i].DiscDiameter);
        fresh.SetDiameter(i, s[i].Diameter);
        fresh.SetDiscThickness(i, s[i].DiscThickness);
        fresh.SetInnerDiameter(i, s[i].InnerDiameter);
        fresh.SetYoung(i, s[i].Young);
        fresh.SetBladeMass(i, s[i].BladeMass);
        fresh.SetBladeCount(i, s[i].BladeCount);
    }
    return fresh;
}

}  // namespace

std::vector<int> MissingRotors(const RotorArray& rotors, int count) {
    std::vector<int> missing;
    for (int k = 1; k <= count && k <= kMaxRotors; ++k) {
        if (!rotors[k]) missing.push_back(k);
    }
    return missing;
}

void CalcCouplingBreaks(RotorArray& rotors, int count) {
    for (int k = 2; k <= count; ++k) {
        rotors[k]->SetCouplingBreak(rotors[k - 1]->GetRightJournalAngle() -
                                    rotors[k]->GetLeftJournalAngle());
    }
}

std::vector<RotorProblem> RunCalculation(RotorArray& rotors, int count) {
    std::vector<RotorProblem> problems = ValidateShaftLine(rotors, count);
    if (!problems.empty()) return problems;

    for (int k = 1; k <= count; ++k) {
        if (k % 2 == 0) rotors[k]->SetEvenPosition(true);
        rotors[k]->CalcDeflection();
        if (!AllResultsFinite(*rotors[k])) problems.push_back({k, 0, UndefinedAngleMessage(k)});
    }
    if (!problems.empty()) {
        // A rotor whose chord angle has no arcsine leaves nothing behind: every record goes back
        // to the inputs it came with.
        for (int k = 1; k <= count; ++k) *rotors[k] = InputsOf(*rotors[k]);
        return problems;
    }
    CalcCouplingBreaks(rotors, count);
    return problems;
}

// The base rotor keeps its place; every other rotor is turned by the sum of the coupling breaks
// between it and the base and hung on to the free end of its neighbour towards the base. The
// journal angles of a rotor are then shifted by the running sum of the journal-angle magnitudes
// at the couplings crossed: added on the right of the base, subtracted on the left.
void AlignShaftLine(RotorArray& rotors, int count, int base) {
    TRotor& b = *rotors[base];
    b.SetOwnLeftAngle(b.GetLeftJournalAngle());
    b.SetOwnRightAngle(b.GetRightJournalAngle());

    long double breaks = 0;
    long double angles = 0;
    for (int k = base + 1; k <= count; ++k) {
        TRotor& r = *rotors[k];
        const TRotor& left = *rotors[k - 1];
        if (k >= base + 2) breaks += left.GetCouplingBreak();
        const long double slope = std::sin(r.GetCouplingBreak() + breaks);
        const SectionArray& s = r.SectionsView();
        const int n = r.GetSectionCount();
        const long double start =
            k == base + 1 ? 0.0L : left.SectionsView()[left.GetSectionCount()].LineOffset;
        for (int j = 0; j <= n; ++j) {
            r.SetLineOffset(j, static_cast<double>(slope * s[j].Coord + start));
        }
        r.SetOwnLeftAngle(r.GetLeftJournalAngle());
        r.SetOwnRightAngle(r.GetRightJournalAngle());
        angles += std::fabs(static_cast<long double>(left.GetOwnRightAngle())) +
                  std::fabs(static_cast<long double>(r.GetOwnLeftAngle()));
        r.SetLeftJournalAngle(static_cast<double>(r.GetOwnLeftAngle() + angles));
        r.SetRightJournalAngle(static_cast<double>(r.GetOwnRightAngle() + angles));
    }

    breaks = 0;
    angles = 0;
    for (int k = base - 1; k >= 1; --k) {
        TRotor& r = *rotors[k];
        const TRotor& right = *rotors[k + 1];
        if (k <= base - 2) breaks += rotors[k + 2]->GetCouplingBreak();
        const long double slope = std::sin(right.GetCouplingBreak() + breaks);
        const SectionArray& s = r.SectionsView();
        const int n = r.GetSectionCount();
        const long double start = k == base - 1 ? 0.0L : right.SectionsView()[0].LineOffset;
        for (int j = n; j >= 0; --j) {
            r.SetLineOffset(
                j, static_cast<double>(slope * (static_cast<long double>(s[n].Coord) - s[j].Coord) +
                                       start));
        }
        r.SetOwnLeftAngle(r.GetLeftJournalAngle());
        r.SetOwnRightAngle(r.GetRightJournalAngle());
        angles += std::fabs(static_cast<long double>(right.GetOwnLeftAngle())) +
                  std::fabs(static_cast<long double>(r.GetOwnRightAngle()));
        r.SetLeftJournalAngle(static_cast<double>(r.GetOwnLeftAngle() - angles));
        r.SetRightJournalAngle(static_cast<double>(r.GetOwnRightAngle() - angles));
    }
}

}  // namespace shaftline
