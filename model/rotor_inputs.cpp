#include "rotor_inputs.h"

namespace shaftline {

namespace {

bool SameSectionInputs(const TRotorSection& a, const TRotorSection& b) {
    return a.Coord == b.Coord && a.DiscDiameter == b.DiscDiameter && a.Diameter == b.Diameter &&
           a.DiscThickness == b.DiscThickness && a.InnerDiameter == b.InnerDiameter &&
           a.Young == b.Young && a.BladeMass == b.BladeMass && a.BladeCount == b.BladeCount;
}

}  // namespace

bool SameInputs(const TRotor& a, const TRotor& b) {
    if (a.GetSectionCount() != b.GetSectionCount()) return false;
    if (a.GetShrunkOnDiscs() != b.GetShrunkOnDiscs()) return false;
    const int n = a.GetSectionCount();
    if (n < 0 || n > kMaxSections) return false;
    for (int k = 1; k <= n; ++k) {
        if (!SameSectionInputs(a.SectionsView()[k], b.SectionsView()[k])) return false;
    }
    return true;
}

}  // namespace shaftline
