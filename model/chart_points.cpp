#include "chart_points.h"

#include <algorithm>

namespace shaftline {

namespace {

// Lays rotors 1..count end to end and asks `height` for the y of every section of the odd
// rotors. A rotor for which `height` has no value gives an empty series.
template <typename Height>
std::vector<SeriesPoints> LayOut(const RotorArray& rotors, int count, Height height) {
    std::vector<SeriesPoints> out;
    double xOffset = 0;
    for (int i = 1; i <= std::min(count, kMaxRotors); ++i) {
        if (!rotors[i]) continue;
        const TRotor& rotor = *rotors[i];
        const SectionArray& s = rotor.SectionsView();
        const int n = rotor.GetSectionCount();
        if (i % 2 == 1) {
            SeriesPoints series{i - 1, i, {}};
            for (int j = 0; j <= n; ++j) {
                const std::optional<double> y = height(rotor, j);
                if (!y) {
                    series.points.clear();
                    break;
                }
                series.points.emplace_back(xOffset + s[j].Coord, *y);
            }
            out.push_back(std::move(series));
        }
        xOffset += s[n].Coord;
    }
    return out;
}

}  // namespace

double NominalHeight(const TRotor& rotor, int j) {
    const TRotorSection& s = rotor.SectionsView()[j];
    return s.Deflection + s.LineOffset;
}

std::optional<double> AssemblyHeight(const TRotor& rotor, int j) {
    const SectionArray& s = rotor.SectionsView();
    const double length = s[rotor.GetSectionCount()].Coord;
    if (length == 0) return std::nullopt;
    const double slope = (rotor.RightSupportRise - rotor.LeftSupportRise) / length;
    return NominalHeight(rotor, j) - (s[j].Coord * slope + rotor.LeftSupportRise);
}

std::vector<SeriesPoints> NominalChartPoints(const RotorArray& rotors, int count) {
    return LayOut(rotors, count, [](const TRotor& r, int j) {
        return std::optional<double>(NominalHeight(r, j));
    });
}

std::vector<SeriesPoints> AssemblyChartPoints(const RotorArray& rotors, int count) {
    return LayOut(rotors, count, AssemblyHeight);
}

}  // namespace shaftline
