#include "support_results.h"

#include <cmath>
#include <string>
#include <utility>

#include "chart_points.h"

namespace shaftline {

namespace {

std::string SupportPrefix(int rotor, const char* support) {
    return "Ротор " + std::to_string(rotor) + ", " + support + ": ";
}

// The nominal line needs no check here: the solver's results are checked, and the alignment
// only adds offsets bounded by the lengths of the line.
bool AssemblyLineFinite(const TRotor& rotor) {
    for (int j = 0; j <= rotor.GetSectionCount(); ++j) {
        const std::optional<double> y = AssemblyHeight(rotor, j);
        if (y && !std::isfinite(*y)) return false;
    }
    return true;
}

}  // namespace

// Finite rises give finite assembly elevations and angles: the line offsets they are taken from
// are bounded by the lengths of the line and the tilt is an arcsine. What can still overflow is
// the slope of the straight line between the rises on a short rotor.
std::vector<RotorProblem> CheckSupportValues(const TRotor& rotor, int rotorNumber) {
    std::vector<RotorProblem> out;
    const std::pair<const char*, double> rises[] = {{"левая опора", rotor.LeftSupportRise},
                                                    {"правая опора", rotor.RightSupportRise}};
    for (const auto& [support, rise] : rises) {
        if (std::isfinite(rise)) continue;
        out.push_back({rotorNumber, 0,
                       SupportPrefix(rotorNumber, support) +
                           "подъём опоры не является конечным числом (слишком велики высоты, "
                           "температуры или слагаемые данных опоры)"});
    }
    if (out.empty() && !AssemblyLineFinite(rotor)) {
        out.push_back({rotorNumber, 0,
                       SupportPrefix(rotorNumber, "левая и правая опоры") +
                           "упругая линия в монтажном состоянии не является конечной (разность "
                           "подъёмов опор слишком велика для длины ротора)"});
    }
    return out;
}

std::vector<RotorProblem> ApplyCheckedSupportRises(TRotor& rotor, int rotorNumber,
                                                   const SupportData& data) {
    TRotor raised = rotor;
    ApplySupportRises(raised, data);
    std::vector<RotorProblem> problems = CheckSupportValues(raised, rotorNumber);
    if (problems.empty()) {
        rotor.SetLeftSupportRise(raised.LeftSupportRise);
        rotor.SetRightSupportRise(raised.RightSupportRise);
    }
    return problems;
}

std::vector<RotorProblem> AlignWithSupportRises(RotorArray& rotors, int count,
                                                std::optional<int> base,
                                                const std::vector<SupportData>& supports) {
    // Aligned and raised aside; the records themselves change only when every rotor passes, and
    // keep their addresses, which the sketch window holds.
    RotorArray staged;
    for (int k = 1; k <= count; ++k) staged[k] = std::make_unique<TRotor>(*rotors[k]);
    if (base) AlignShaftLine(staged, count, *base);
    std::vector<RotorProblem> problems;
    for (int k = 1; k <= count; ++k) {
        ApplySupportRises(*staged[k], supports[static_cast<std::size_t>(k - 1)]);
        const std::vector<RotorProblem> found = CheckSupportValues(*staged[k], k);
        problems.insert(problems.end(), found.begin(), found.end());
    }
    if (!problems.empty()) return problems;
    for (int k = 1; k <= count; ++k) *rotors[k] = *staged[k];
    return problems;
}

}  // namespace shaftline
