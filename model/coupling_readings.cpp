#include "coupling_readings.h"

namespace shaftline {

namespace {

double RecordLength(const TRotor& rotor) {
    const SectionArray& s = rotor.SectionsView();
    return s[static_cast<std::size_t>(rotor.GetSectionCount())].Coord - s[0].Coord;
}

double At(const std::vector<double>& z, int j) {
    return z[static_cast<std::size_t>(j)];
}

}  // namespace

std::vector<CouplingGeometry> Couplings(const RotorArray& rotors, int count, bool aligned) {
    std::vector<CouplingGeometry> couplings;
    for (int p = 2; p + 1 <= count; p += 2) {
        const TRotor& a = *rotors[static_cast<std::size_t>(p - 1)];
        const TRotor& piece = *rotors[static_cast<std::size_t>(p)];
        const TRotor& b = *rotors[static_cast<std::size_t>(p + 1)];
        CouplingGeometry c;
        c.number = p / 2;
        c.piece = p;
        c.firstSupport = p - 2;
        c.leftLength = RecordLength(a);
        c.pieceLength = RecordLength(piece);
        c.rightLength = RecordLength(b);
        c.plane = c.pieceLength / 2;
        c.leftOwnAngle = aligned ? a.GetOwnRightAngle() : a.GetRightJournalAngle();
        c.rightOwnAngle = aligned ? b.GetOwnLeftAngle() : b.GetLeftJournalAngle();
        couplings.push_back(c);
    }
    return couplings;
}

// Rotor A's axis at its right end: elevation zR(A), slope chord + ωR(A); rotor B's at its left
// end: zL(B), chord + ωL(B). Each half runs straight on to the coupling plane.
CouplingReading ReadingAt(const CouplingGeometry& c, const std::vector<double>& z) {
    const int j = c.firstSupport;
    const double thetaA = (At(z, j + 1) - At(z, j)) / c.leftLength + c.leftOwnAngle;
    const double thetaB = (At(z, j + 3) - At(z, j + 2)) / c.rightLength + c.rightOwnAngle;
    const double yA = At(z, j + 1) + c.plane * thetaA;
    const double yB = At(z, j + 2) - (c.pieceLength - c.plane) * thetaB;
    CouplingReading r;
    r.offset = yB - yA;
    r.angle = thetaA - thetaB;
    if (c.diameter) r.gap = *c.diameter * r.angle;
    return r;
}

ReadingSensitivity SensitivityOf(const CouplingGeometry& c) {
    const double a = c.plane / c.leftLength;
    const double b = (c.pieceLength - c.plane) / c.rightLength;
    ReadingSensitivity s;
    s.offset = {a, -1 - a, 1 + b, -b};
    s.angle = {-1 / c.leftLength, 1 / c.leftLength, 1 / c.rightLength, -1 / c.rightLength};
    return s;
}

StateReadings TargetReadings(
    const CouplingGeometry& coupling,
    const std::array<std::vector<double>, kSupportStateCount>& elevations) {
    StateReadings readings;
    for (std::size_t s = 0; s < readings.size(); ++s) {
        readings[s] = ReadingAt(coupling, elevations[s]);
    }
    return readings;
}

}  // namespace shaftline
