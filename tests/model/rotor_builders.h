#pragma once

#include <memory>
#include <vector>

#include "rotor.h"
#include "shaft_line.h"

namespace shaftline::testing {

/// Inputs of one section, in the order an engineer reads a drawing.
struct SectionInput {
    double coord;
    double diameter;
    double bore = 0;
    double discDiameter = 0;
    double discThickness = 0;
    double young = 2.1e4;
    double bladeMass = 0;
    double bladeCount = 0;
};

inline std::unique_ptr<TRotor> MakeRotor(const std::vector<SectionInput>& sections,
                                         bool shrunkOnDiscs = true) {
    auto rotor = std::make_unique<TRotor>();
    rotor->SetSectionCount(static_cast<int>(sections.size()));
    rotor->SetShrunkOnDiscs(shrunkOnDiscs);
    int i = 1;
    for (const SectionInput& s : sections) {
        rotor->SetCoord(i, s.coord);
        rotor->SetDiameter(i, s.diameter);
        rotor->SetInnerDiameter(i, s.bore);
        rotor->SetDiscDiameter(i, s.discDiameter);
        rotor->SetDiscThickness(i, s.discThickness);
        rotor->SetYoung(i, s.young);
        rotor->SetBladeMass(i, s.bladeMass);
        rotor->SetBladeCount(i, s.bladeCount);
        ++i;
    }
    return rotor;
}

/// A uniform shaft of `count` equal sections over `length` mm.
inline std::unique_ptr<TRotor> UniformShaft(int count, double length, double diameter) {
    std::vector<SectionInput> sections;
    for (int i = 1; i <= count; ++i) sections.push_back({length * i / count, diameter});
    return MakeRotor(sections);
}

/// A realistic rotor: journals, a stepped body with discs and blades.
inline std::unique_ptr<TRotor> TurbineRotor(double scale = 1.0) {
    return MakeRotor({
        {300 * scale, 300},
        {700 * scale, 420, 0, 1200, 80, 2.1e4, 1.2, 90},
        {1100 * scale, 450, 0, 1400, 90, 2.1e4, 1.8, 96},
        {1500 * scale, 450, 60, 1600, 100, 2.1e4, 2.5, 100},
        {1900 * scale, 420, 0, 1300, 90, 2.1e4, 1.5, 90},
        {2300 * scale, 300},
    });
}

/// Rotors 1..count of a shaft line: odd positions real rotors, even ones short couplings.
inline RotorArray ShaftLine(int count) {
    RotorArray rotors;
    for (int k = 1; k <= count; ++k) {
        rotors[k] = k % 2 == 1 ? TurbineRotor(1.0 + 0.1 * k)
                               : MakeRotor({{150, 250}, {300, 260}, {450, 250}});
    }
    return rotors;
}

}  // namespace shaftline::testing
