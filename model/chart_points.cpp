#include "chart_points.h"

#include <algorithm>

namespace shaftline {

namespace {

// Lays rotors 1..count end to end and asks `height` for the y of every section of the odd
// rotors. `height` returns false when a rotor gives no points.
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
                double y = 0;
                if (!height(rotor, j, y)) {
                    series.points.clear();
                    break;
                }
                series.points.emplace_back(xOffset + s[j].Coord, y);
            }
            out.push_back(std::move(series));
        }
        xOffset += s[n].Coord;
    }
    return out;
}

}  // namespace

std::vector<SeriesPoints> NominalChartPoints(const RotorArray& rotors, int count) {
    return LayOut(rotors, count, [](const TRotor& r, int j, double& y) {
        const TRotorSection& s = r.SectionsView()[j];
        y = s.Deflection + s.LineOffset;
        return true;
    });
}

// The assembly state takes away the straight line from the left support's rise at the
// rotor's origin to the right support's rise at its last section.
std::vector<SeriesPoints> AssemblyChartPoints(const RotorArray& rotors, int count) {
    return LayOut(rotors, count, [](const TRotor& r, int j, double& y) {
        const SectionArray& s = r.SectionsView();
        const double length = s[r.GetSectionCount()].Coord;
        if (length == 0) return false;
        const double slope = (r.RightSupportRise - r.LeftSupportRise) / length;
        y = s[j].Deflection + s[j].LineOffset - (s[j].Coord * slope + r.LeftSupportRise);
        return true;
    });
}

}  // namespace shaftline
