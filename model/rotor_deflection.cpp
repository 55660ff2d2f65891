// Static elastic line of one rotor under its own weight: a beam on two simple supports, every
// section's weight a point load at its midpoint, the bending stiffness reduced to that of the
// section with the largest diameter and integrated by the method of initial parameters.

#include <cmath>
#include <numbers>

#include "rotor.h"

namespace shaftline {

namespace {

constexpr double kDensity = 7.8e-6;  // kg/mm³, rotor steel
constexpr double kPi = std::numbers::pi;

double Cube(double v) {
    return v * v * v;
}
double Square(double v) {
    return v * v;
}
// v⁴ by two squarings: exact for whole-millimetre diameters (v⁴ below 2⁵³), within two units
// in the last place otherwise, and a quarter of the solver's time cheaper than pow().
double Fourth(double v) {
    return Square(v) * Square(v);
}

}  // namespace

void TRotor::CalcDeflection() {
    const int n = SectionCount;
    auto& s = Sections;
    // Contiguous copies of what the double sums read: the section records are wide.
    double x[kSectionRecords] = {}, c[kSectionRecords] = {}, m[kSectionRecords] = {},
           k[kSectionRecords] = {}, dQ[kSectionRecords] = {}, dM[kSectionRecords] = {};
    for (int i = 0; i <= n; ++i) {
        x[i] = s[i].Coord;
        dQ[i] = dM[i] = 0;
    }
    for (int i = 1; i <= n; ++i) c[i] = (x[i - 1] + x[i]) / 2;

    // 1. Section weights: shaft piece, disc ring and blades.
    for (int i = 1; i <= n; ++i) {
        const double shaft = (kPi / 4) * (Square(s[i].Diameter) - Square(s[i].InnerDiameter)) *
                             (x[i] - x[i - 1]) * kDensity;
        const double disc = (kPi / 4) * (Square(s[i].DiscDiameter) - Square(s[i].Diameter)) *
                                s[i].DiscThickness * kDensity +
                            s[i].BladeMass * s[i].BladeCount;
        SetMass(i, EvenPosition ? 0.0 : shaft + disc);
        m[i] = s[i].Mass;
    }

    // 2. Support reactions from the moment of the loads about the left support.
    double loadMoment = 0;
    double totalLoad = 0;
    for (int i = 1; i <= n; ++i) {
        loadMoment += m[i] * (x[i - 1] + x[i]);
        totalLoad += m[i];
    }
    RightReaction = loadMoment / (2 * (x[n] - x[0]));
    LeftReaction = totalLoad - RightReaction;
    const double rl = LeftReaction;

    // 3. Reference section (the first of the largest diameters) and moments of inertia.
    MaxDiameter = s[0].Diameter;
    int ref = 0;
    for (int i = 1; i <= n; ++i) {
        if (s[i].Diameter > MaxDiameter) {
            MaxDiameter = s[i].Diameter;
            ref = i;
        }
        s[i].Inertia =
            (kPi * Fourth(s[i].Diameter) / 64) * (1 - Fourth(s[i].InnerDiameter / s[i].Diameter));
    }

    // 4. Solid section of the largest diameter.
    RefInertia = kPi * Fourth(MaxDiameter) / 64;

    // 5. Stiffness ratios to the reference rigidity.
    for (int i = 1; i <= n; ++i) {
        s[i].StiffnessRatio = (RefInertia / s[i].Inertia) * (s[ref].Young / s[i].Young);
        k[i] = s[i].StiffnessRatio;
    }

    // The double sums below run with the outer loop over the term j and the inner loop over
    // the section i: every section's sum still takes its terms in ascending j, exactly as
    // written, but the sums of different sections no longer wait on one another.

    // 6. Shear and moment at the section ends and their jumps in the reduced diagram.
    double loadMomentAbout[kSectionRecords] = {};  // Σ m(j)·(x(i) − c(j)), j = 1..i
    for (int j = 1; j <= n - 1; ++j) {
        for (int i = j; i <= n - 1; ++i) loadMomentAbout[i] += m[j] * (x[i] - c[j]);
    }
    double loads = 0;  // m(1) + ... + m(i), summed in ascending order
    for (int i = 1; i <= n - 1; ++i) {
        loads += m[i];
        s[i].Shear = rl - loads;
        s[i].Moment = rl * x[i] - loadMomentAbout[i];
        s[i].ShearStep = dQ[i] = (k[i + 1] - k[i]) * s[i].Shear;
        s[i].MomentStep = dM[i] = (k[i + 1] - k[i]) * s[i].Moment;
    }

    // 7. Reduced moment at every midpoint: −k(i) × bending moment there.
    double reduced[kSectionRecords] = {};  // the sum over j = 1..i−1
    for (int j = 1; j <= n - 1; ++j) {
        for (int i = j + 1; i <= n; ++i) {
            reduced[i] += m[j] * k[j] * (c[i] - c[j]) - (c[i] - x[j]) * dQ[j] - dM[j];
        }
    }
    for (int i = 1; i <= n; ++i) s[i].ReducedMoment = -rl * k[1] * c[i] + reduced[i];

    // 8. Disc stiffening: a concentrated slope change phi(j) at every disc's midpoint, and the
    //    deflection such kinks give a beam on the two supports.
    const double span = x[n] - x[0];
    double phi[kSectionRecords] = {};
    for (int j = 1; j <= n; ++j) {
        const double f = TableFactor(GetShrunkOnDiscs(), s[j].DiscThickness / s[j].Diameter);
        phi[j] = (1 - f) * s[j].DiscThickness * s[j].ReducedMoment / (s[j].Young * s[j].Inertia);
    }
    double right[kSectionRecords] = {};  // Σ phi(j)·(L − c(j)), j = i+1..n
    for (int j = 2; j <= n; ++j) {
        for (int i = 1; i <= j - 1 && i <= n - 1; ++i) right[i] += phi[j] * (span - c[j]);
    }
    double left = 0;  // phi(1)·c(1) + ... + phi(i)·c(i), summed in ascending order
    for (int i = 1; i <= n - 1; ++i) {
        left += phi[i] * c[i];
        s[i].DiscCorrection = ((span - x[i]) / span) * left + (x[i] / span) * right[i];
    }

    // Twice-integrated reduced moment diagram Y(i) at every section end: the jumps at the
    // section ends before it, then the loads up to its own.
    double y[kSectionRecords] = {};
    for (int i = 1; i <= n; ++i) y[i] = rl * k[1] * Cube(x[i]) / 6;
    for (int j = 1; j <= n - 1; ++j) {
        for (int i = j + 1; i <= n; ++i) {
            y[i] += dM[j] * Square(x[i] - x[j]) / 2 + dQ[j] * Cube(x[i] - x[j]) / 6;
        }
    }
    for (int j = 1; j <= n; ++j) {
        for (int i = j; i <= n; ++i) y[i] -= m[j] * k[j] * Cube(x[i] - c[j]) / 6;
    }
    const double rigidity = s[ref].Young * RefInertia;

    // 9. Left angle that makes the deflection vanish at the right support.
    LeftJournalAngle = -(y[n] / rigidity) / x[n];

    // 10. Deflections.
    for (int i = 1; i <= n; ++i) {
        s[i].Deflection = LeftJournalAngle * x[i] + y[i] / rigidity - s[i].DiscCorrection;
    }

    // 11. Right angle: the once-integrated diagram at the right support.
    double z = rl * k[1] * Square(x[n]) / 2;
    for (int j = 1; j <= n - 1; ++j) {
        z += dM[j] * (x[n] - x[j]) + dQ[j] * Square(x[n] - x[j]) / 2;
    }
    for (int j = 1; j <= n; ++j) z -= m[j] * k[j] * Square(x[n] - c[j]) / 2;
    RightJournalAngle = z / rigidity + LeftJournalAngle;

    // 12. Journal angles as the chords of the end sections, disc correction included.
    if (!EvenPosition) {
        LeftJournalAngle = std::asin(s[1].Deflection / x[1]);
        RightJournalAngle = -std::asin(s[n - 1].Deflection / (x[n] - x[n - 1]));
    }

    // 13. The supports exactly.
    s[n].Deflection = 0;
    s[0].Deflection = 0;
    s[0].Coord = 0;
}

}  // namespace shaftline
