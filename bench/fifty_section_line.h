#pragma once

// The longest shaft line the program takes: 19 rotors of 50 sections each, solved, aligned
// from rotor 9, with the support rises of every rotor.

#include <cmath>
#include <memory>

#include "shaft_line.h"
#include "support.h"

namespace shaftline::bench {

inline std::unique_ptr<TRotor> FiftySectionRotor(int position) {
    auto rotor = std::make_unique<TRotor>();
    rotor->SetSectionCount(kMaxSections);
    rotor->SetShrunkOnDiscs(position % 4 != 1);
    for (int i = 1; i <= kMaxSections; ++i) {
        const double body = std::sin(3.14159 * i / kMaxSections);
        rotor->SetCoord(i, 100.0 * i + position);
        rotor->SetDiameter(i, 300 + 200 * body);
        rotor->SetInnerDiameter(i, i % 3 == 0 ? 60 : 0);
        rotor->SetDiscDiameter(i, i % 2 == 0 ? 1400 + 300 * body : 0);
        rotor->SetDiscThickness(i, i % 2 == 0 ? 90 + 10 * (i % 5) : 0);
        rotor->SetYoung(i, 2.1e4);
        rotor->SetBladeMass(i, i % 2 == 0 ? 1.5 : 0);
        rotor->SetBladeCount(i, i % 2 == 0 ? 96 : 0);
    }
    return rotor;
}

inline SupportData FiftySectionSupports(int k) {
    return {8000, 30.0 + k, 1200, 45, 900, 60, 0.12, -0.08, 0.03,
            8000, 31.0 + k, 1200, 46, 900, 62, 0.10, -0.06, 0.02};
}

/// Solved, aligned to rotor 9, support rises applied; false when the solver refused.
inline bool FiftySectionLine(RotorArray& rotors) {
    for (int k = 1; k <= kMaxRotors; ++k) rotors[k] = FiftySectionRotor(k);
    if (!RunCalculation(rotors, kMaxRotors).empty()) return false;
    AlignShaftLine(rotors, kMaxRotors, 9);
    for (int k = 1; k <= kMaxRotors; ++k) ApplySupportRises(*rotors[k], FiftySectionSupports(k));
    return true;
}

}  // namespace shaftline::bench
