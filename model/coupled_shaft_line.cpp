#include "coupled_shaft_line.h"

#include <cmath>

namespace shaftline {

namespace {

std::string StateProblem(SupportState state) {
    return "Нагрузки на опоры не определены (" + std::string(SupportStateName(state)) +
           "): высотные положения опор или результаты не являются конечными числами";
}

}  // namespace

OrProblem<CoupledShaftLine> CalcCoupledShaftLine(const RotorArray& rotors, int count,
                                                 const std::vector<double>& lifts) {
    OrProblem<CoupledLine> prepared = PrepareCoupledLine(rotors, count);
    if (!prepared.value) return {std::nullopt, std::move(prepared.problem)};
    CoupledShaftLine out;
    out.line = std::move(*prepared.value);
    for (SupportState state : kSupportStates) {
        const std::vector<double> z = WithLifts(StateElevations(rotors, count, state), lifts);
        for (double elevation : z) {
            if (!std::isfinite(elevation)) return {std::nullopt, StateProblem(state)};
        }
        CoupledState solved = SolveCoupledLine(out.line, z);
        if (!AllFinite(solved)) return {std::nullopt, StateProblem(state)};
        out.states[static_cast<std::size_t>(state)] = std::move(solved);
    }
    out.influence = InfluenceMatrix(out.line);
    return {std::move(out), {}};
}

}  // namespace shaftline
